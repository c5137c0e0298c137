#!/usr/bin/env bash
# Makes the README's screenshots: runs the real program in a virtual X server
# of 1024 × 768, clicks through it with xdotool and writes small PNGs to
# docs/screenshots. Run it again after any visible change.
# Usage: tools/make-screenshots.sh [PROGRAM]   (default: build/app/kestrani)
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ ${1:-} != --inside ]]; then
  program=$(realpath "${1:-build/app/kestrani}")
  [[ -x $program ]] || { echo "No program at $program: build it first (make build)." >&2; exit 1; }
  tools/ensure-packages.sh xvfb xauth xdotool imagemagick
  exec tests/e2e/with_xvfb.sh "$0" --inside "$program"
fi
program=$2
out=docs/screenshots
mkdir -p "$out"

# The windows are laid out for a screen 600 pixels high and scaled to this one.
read -r screen_width screen_height < <(xdotool getdisplaygeometry)

window() {  # the id of the visible window with exactly this title, waiting for it
  for _ in $(seq 1 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [[ -n $id ]] && { echo "$id"; return; }
    sleep 0.05
  done
  echo "window '$1' did not appear" >&2
  exit 1
}

click() {  # click WINDOW-TITLE X Y, at design coordinates inside that window
  eval "$(xdotool getwindowgeometry --shell "$(window "$1")")"
  xdotool mousemove --sync $((X + $2 * screen_height / 600)) $((Y + $3 * screen_height / 600)) click 1
}

surface_click() {  # surface_click LEFT TOP X Y, at design coordinates inside a
  # surface of the exercise screen that stands at LEFT, TOP on the screen
  xdotool mousemove --sync $(($1 + $3 * screen_height / 600)) $(($2 + $4 * screen_height / 600)) click 1
}

shot() {  # shot NAME: the whole screen as a palette PNG (at most 256 colours)
  sleep 1
  import -window root png:- | convert png:- -strip -define png:exclude-chunks=date,time -dither None -colors 256 "PNG8:$out/$1.png"
  echo "$out/$1.png"
}

"$program" &
program_pid=$!
trap 'kill $program_pid 2>/dev/null || true' EXIT

# At start the instructions window stands in front of the configuration window.
window "Instructions to Kestrani 1\.01 rus" >/dev/null
shot instructions
# Its OK button hides it and leaves the configuration window.
click "Instructions to Kestrani 1\.01 rus" 399 524
shot configuration
# "Упражнения" shows the reference; "Начали?" starts the exercise with two cards.
click "Kestrani 1\.01 rus" 700 492
window "Kestrani 1\.01 rus: упражнение" >/dev/null
surface_click $((screen_width / 4)) 0 332 476
shot exercise
# "Выйти из упражнения" goes back; the lettering top right opens the monitor page.
surface_click 0 0 704 540
click "Kestrani 1\.01 rus" 688 48
window "Monitor settings" >/dev/null
shot monitor
