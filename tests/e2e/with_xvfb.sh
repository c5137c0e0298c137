#!/usr/bin/env bash
# Runs one end-to-end test binary in a fresh virtual X server, 1024 × 768
# unless KESTRANI_SCREEN gives another size (WIDTHxHEIGHT, e.g. 1280x1024).
set -euo pipefail
test_binary=$1
shift

screen=${KESTRANI_SCREEN:-1024x768}
[[ $screen =~ ^[0-9]+x[0-9]+$ ]] || { echo "KESTRANI_SCREEN must be WIDTHxHEIGHT, not '$screen'" >&2; exit 2; }
work=$(mktemp -d)
# Xvfb picks a free display itself and writes its number once it accepts
# clients, so parallel runs never race for a display.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 1 200); do
  grep -q . "$work/display" 2>/dev/null && break
  sleep 0.05
done
display=$(tr -dc 0-9 <"$work/display")
[[ -n $display ]] || { echo "with_xvfb.sh: Xvfb did not start" >&2; exit 1; }
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
DISPLAY=":${display}" QT_QPA_PLATFORM=xcb "$test_binary" "$@"
