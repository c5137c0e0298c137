#!/usr/bin/env bash
# Runs one end-to-end test binary in a fresh virtual X server, 1024 × 768
# unless KESTRANI_SCREEN gives another size (WIDTHxHEIGHT, e.g. 1280x1024).
set -euo pipefail
test_binary=$1
shift

for display in $(seq 90 140); do
  [[ -e /tmp/.X${display}-lock || -e /tmp/.X11-unix/X${display} ]] || break
done
screen=${KESTRANI_SCREEN:-1024x768}
[[ $screen =~ ^[0-9]+x[0-9]+$ ]] || { echo "KESTRANI_SCREEN must be WIDTHxHEIGHT, not '$screen'" >&2; exit 2; }
Xvfb ":${display}" -screen 0 "${screen}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  [[ -e /tmp/.X11-unix/X${display} ]] && break
  sleep 0.05
done
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
DISPLAY=":${display}" QT_QPA_PLATFORM=xcb "$test_binary" "$@"
