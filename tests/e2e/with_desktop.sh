#!/usr/bin/env bash
# Runs one end-to-end test binary on a desktop in a fresh virtual X server of
# 1024 × 768: with no window manager (none), openbox, mutter, kwin, or weston
# (a Wayland compositor whose window covers the X screen exactly; the program
# then runs on Qt's Wayland plugin while the test clicks and reads the X screen),
# weston_scaled (the same with an output scale of 2, as on a high-resolution
# Wayland desktop), or scaled: no window manager, the program's screen scaled
# by 2 as on a high-resolution X11 desktop.
#   with_desktop.sh DESKTOP TEST_BINARY [ARGUMENTS...]
set -euo pipefail
desktop=$1
test_binary=$2
shift 2
width=1024
height=768

# mutter and KWin want a session bus, as they have in a real session.
if [[ ( $desktop == mutter || $desktop == kwin ) && -z ${KESTRANI_SESSION_BUS:-} ]]; then
  exec env KESTRANI_SESSION_BUS=1 dbus-run-session -- "$0" "$desktop" "$test_binary" "$@"
fi

# A desktop that cannot run fails its test: it is never passed over.
declare -A programs=([openbox]=openbox [mutter]=mutter [kwin]=kwin_x11 [weston]=weston [weston_scaled]=weston)
if [[ -n ${programs[$desktop]:-} ]] && ! command -v "${programs[$desktop]}" >/dev/null; then
  echo "with_desktop.sh: ${programs[$desktop]} is not installed (make packages installs it)" >&2
  exit 1
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "with_desktop.sh: $desktop: $*" >&2
  [[ -s $work/desktop.log ]] && tail -n 20 "$work/desktop.log" >&2
  exit 1
}

# Waits up to 30 s for a command to succeed.
wait_for() {
  local end=$((SECONDS + 30))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < end)) || return 1
    sleep 0.1
  done
}

# Xvfb picks a free display itself and writes its number once it accepts
# clients, so parallel runs never race for a display.
Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp -noreset \
  3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
wait_for grep -q . "$work/display" || fail "Xvfb did not start"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Services the session bus starts on demand see this display too.
if [[ -n ${DBUS_SESSION_BUS_ADDRESS:-} ]]; then
  dbus-update-activation-environment DISPLAY XDG_RUNTIME_DIR
fi

# A window manager announces itself by setting _NET_SUPPORTING_WM_CHECK on the
# root window to a window that exists.
wm_has_announced() {
  local check
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK) || return 1
  [[ $check == *"window id #"* ]] || return 1
  xprop -id "${check##* }" _NET_WM_NAME >/dev/null
}

# It manages once it frames a new window: a probe window gets its frame
# extents. Mapped too early, a window can be lost, so the probe is shown anew
# until one is framed.
wm_frames_a_window() {
  local probe id
  xmessage -name kestrani-probe probe >/dev/null 2>&1 &
  probe=$!
  for _ in $(seq 1 20); do
    id=$(xdotool search --classname '^kestrani-probe$' 2>/dev/null | head -n 1) || true
    if [[ -n $id ]] && xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q =; then
      kill "$probe"
      wait "$probe" 2>/dev/null || true
      return 0
    fi
    sleep 0.1
  done
  kill "$probe" 2>/dev/null || true
  wait "$probe" 2>/dev/null || true
  return 1
}

case $desktop in
  none) ;;
  scaled) export KESTRANI_SCALE_FACTOR=2 ;;
  openbox)
    openbox --sm-disable >"$work/desktop.log" 2>&1 &
    pids+=($!)
    ;;
  mutter)
    # --sync: mutter subtracts a window's damage on one X connection and reads
    # the window's pixmap into its texture (GLX texture-from-pixmap, a copy
    # under software GL) on another. Unsynchronised, the X server may run the
    # read before the subtract, and drawing that lands between them inside the
    # damage already reported raises no new event: the screen keeps the older
    # picture for good. Synchronous calls put the subtract on the server first.
    mutter --x11 --replace --sm-disable --sync >"$work/desktop.log" 2>&1 &
    pids+=($!)
    ;;
  kwin)
    kwin_x11 --replace >"$work/desktop.log" 2>&1 &
    pids+=($!)
    ;;
  weston | weston_scaled)
    # No panel and no animations: the screen shows only the program's windows
    # over a known background, and a screenshot shows them in their final place.
    cat >"$work/weston.ini" <<'EOF'
[core]
idle-time=0
[shell]
panel-position=none
background-color=0xff203040
animation=none
close-animation=none
startup-animation=none
focus-animation=none
locking=false
EOF
    # Scaled, the output's size counts in its own pixels, half the device's.
    scale=1
    [[ $desktop == weston_scaled ]] && scale=2
    weston --backend=x11-backend.so --use-pixman --scale=$scale \
      --width=$((width / scale)) --height=$((height / scale)) \
      --socket=kestrani-wayland --config="$work/weston.ini" \
      >"$work/desktop.log" 2>&1 &
    pids+=($!)
    ;;
  *) fail "unknown desktop" ;;
esac

if [[ $desktop == weston* ]]; then
  wait_for test -S "$XDG_RUNTIME_DIR/kestrani-wayland" || fail "weston made no socket"
  weston_window=(xdotool search --onlyvisible --class '^Weston Compositor$')
  wait_for "${weston_window[@]}" || fail "weston shows no window"
  geometry=$("${weston_window[@]}" getwindowgeometry --shell)
  [[ $geometry == *"X=0"*"Y=0"*"WIDTH=$width"*"HEIGHT=$height"* ]] ||
    fail "weston's window does not cover the screen: $geometry"
  # weston's pointer follows the X pointer's relative motion from where weston
  # put it, and its first motion only sets the origin: running both into
  # opposite corners lines them up, as both stop at the same edges.
  for corner in 1,1 0,0 $((width - 1)),$((height - 1)) 0,0; do
    xdotool mousemove "${corner%,*}" "${corner#*,}"
    sleep 0.1
  done
  export KESTRANI_WAYLAND_DISPLAY=kestrani-wayland
elif [[ $desktop != none && $desktop != scaled ]]; then
  wait_for wm_has_announced || fail "the window manager does not start"
  wait_for wm_frames_a_window || fail "the window manager frames no window"
  export KESTRANI_WINDOW_MANAGER=1
fi

export KESTRANI_DESKTOP=$desktop
QT_QPA_PLATFORM=xcb "$test_binary" "$@"
