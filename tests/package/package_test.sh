#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get as a user would, starts
# the installed program in a virtual X server and removes the package again.
# Needs root; otherwise it reports itself skipped (exit code 77).
# Usage: package_test.sh BUILD_DIR STARTUP_E2E_BINARY
set -euo pipefail
build=$1
startup_e2e=$2
here=$(cd "$(dirname "$0")" && pwd)

if [[ $(id -u) -ne 0 ]]; then
  echo "SKIP: installing a package needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' kestrani 2>/dev/null | grep -q 'install ok installed'; then
  echo "SKIP: a kestrani package is installed on this machine already; remove it with 'apt-get remove kestrani'"
  exit 77
fi

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
installed=no
cleanup() {
  if [[ $installed == yes ]]; then
    apt-get remove -y -qq --purge -o DPkg::Lock::Timeout=300 kestrani >/dev/null \
      || echo "could not remove the kestrani package" >&2
  fi
  rm -rf "$work"
}
trap cleanup EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
package=$(echo "$work"/kestrani_*.deb)
[[ -f $package ]] || fail "cpack wrote no package"

# The library dependencies were read from the binary, not listed by hand.
depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libc6; do
  [[ ",$depends" == *", $library ("* || ",$depends" == *",$library ("* ]] || fail "Depends lacks $library"
done

# Qt's translations are named by hand: the program loads them, it does not link them.
[[ ",$depends," == *", qt6-translations-l10n,"* || ",$depends," == *",qt6-translations-l10n,"* ]] \
  || fail "Depends lacks qt6-translations-l10n"

recommends=$(dpkg-deb -f "$package" Recommends)
echo "Recommends: $recommends"
for package_name in fonts-liberation qt6-wayland; do
  [[ ", $recommends," == *", $package_name,"* ]] || fail "Recommends lacks $package_name"
done

export DEBIAN_FRONTEND=noninteractive
installed=yes
apt-get install -y -qq -o DPkg::Lock::Timeout=300 "$package" >/dev/null
[[ -x /usr/bin/kestrani ]] || fail "/usr/bin/kestrani is missing after the installation"
for file in /usr/share/applications/kestrani.desktop /usr/share/metainfo/io.github.kestrani.kestrani.metainfo.xml \
            /usr/share/icons/hicolor/256x256/apps/kestrani.png; do
  dpkg -S "$file" >/dev/null 2>&1 || fail "$file does not belong to the package"
done
# The installed program finds its libraries on the system, not in the build.
if readelf -d /usr/bin/kestrani | grep -qE 'RPATH|RUNPATH'; then
  fail "/usr/bin/kestrani carries a library search path"
fi

# The installed program starts with its two windows, the instructions in
# front, and ends when its configuration window is closed.
(cd / && KESTRANI_BINARY=/usr/bin/kestrani "$here/../e2e/with_xvfb.sh" "$startup_e2e")
echo "PASS: the package installs, starts and is removed"
