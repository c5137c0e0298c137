#!/usr/bin/env bash
# Installs the build into a scratch root, as a package would (prefix /usr),
# and checks one aspect of the installed tree.
# Usage: check_install.sh BUILD_DIR tree|desktop-entry|metainfo
set -euo pipefail
export LC_ALL=C.UTF-8
build=$1
check=$2

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share

fail() { echo "FAIL: $*" >&2; exit 1; }

# Width and height of a PNG, from its header.
png_size() {
  [[ $(head -c 8 "$1" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] || fail "$1 is not a PNG"
  echo "$((16#$(od -An -tx1 -j16 -N4 "$1" | tr -d ' \n'))) $((16#$(od -An -tx1 -j20 -N4 "$1" | tr -d ' \n')))"
}

case $check in
  tree)
    expected=(
      usr/bin/kestrani
      usr/share/applications/kestrani.desktop
      usr/share/metainfo/io.github.kestrani.kestrani.metainfo.xml
    )
    for size in 16 24 32 48 64 128 256; do
      expected+=("usr/share/icons/hicolor/${size}x${size}/apps/kestrani.png")
    done
    actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
    echo "Installed files:"
    echo "$actual"
    wanted=$(printf '%s\n' "${expected[@]}" | sort)
    [[ "$actual" == "$wanted" ]] || fail "installed files differ from the expected list:
$(diff <(echo "$wanted") <(echo "$actual") || true)"
    [[ -x $root/usr/bin/kestrani ]] || fail "the program is not executable"
    for size in 16 24 32 48 64 128 256; do
      icon=$share/icons/hicolor/${size}x${size}/apps/kestrani.png
      [[ $(png_size "$icon") == "$size $size" ]] || fail "$icon is $(png_size "$icon"), not ${size}x${size}"
    done
    ;;
  desktop-entry)
    entry=$share/applications/kestrani.desktop
    desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
    # The entry starts the installed program, shows the installed icon and
    # speaks Russian in the Education menu.
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    [[ -x $root/usr/bin/$exec_name ]] || fail "Exec=$exec_name is not an installed program"
    icon_name=$(sed -n 's/^Icon=//p' "$entry")
    [[ -f $share/icons/hicolor/48x48/apps/$icon_name.png ]] || fail "Icon=$icon_name is not an installed icon"
    grep -qP '^Name\[ru\]=.*\p{Cyrillic}' "$entry" || fail "no Russian name"
    grep -qP '^Comment\[ru\]=.*\p{Cyrillic}' "$entry" || fail "no Russian comment"
    grep -q '^Categories=\(.*;\)\?Education;' "$entry" || fail "not in the Education category"
    ;;
  metainfo)
    appstreamcli validate --no-net --pedantic "$share"/metainfo/io.github.kestrani.kestrani.metainfo.xml \
      || fail "appstreamcli rejects the metainfo"
    # The tree check also finds the desktop entry the metainfo launches.
    appstreamcli validate-tree --no-net "$root" || fail "appstreamcli rejects the installed tree"
    ;;
  *)
    fail "unknown check $check"
    ;;
esac
echo "PASS: $check"
