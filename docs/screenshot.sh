#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window with its docked command list
# under Xvfb, with docs/sample.vfp loaded and an F command half typed whose
# contact number is out of range.
#
#   bash docs/screenshot.sh [BUILD_DIR] [OUT]     (defaults: build, docs/screenshot.png)
#
# Needs Xvfb, xdotool and ImageMagick (import, convert); uses openbox when it
# is there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/screenshot.png}
n=190
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
display=:$n
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
home=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi

# Where the window's parts stand, as the window reports them.
report_file=$home/report.txt
report() { sed -n "s/^$1 //p" "$report_file" 2>/dev/null; }
HOME=$home XDG_RUNTIME_DIR=$home VX_WINDOW_REPORT=$report_file "$build/vxedit" docs/sample.vfp \
    >/dev/null 2>&1 &
pids+=($!)
# The main window by its own title: a search by name also finds windows
# whose icon name is the main window's title.
find_main() {
    local w
    for w in $(xdotool search --onlyvisible --pid "${pids[-1]}" --name 'E D I T O R' 2>/dev/null); do
        [[ $(xdotool getwindowname "$w") == *'E D I T O R'* ]] && { echo "$w"; return; }
    done
}
main=
for _ in $(seq 100); do
    main=$(find_main) && [[ -n $main ]] && break
    sleep 0.1
done
[[ -n $main ]] || { echo "vxedit did not show its window" >&2; exit 1; }
# The clicks wait until the window stands still and has reported.
last=
for _ in $(seq 50); do
    sleep 0.3
    now=$(xdotool getwindowgeometry "$main")
    [[ $now == "$last" && -n $(report gridRows) ]] && break
    last=$now
done
sleep 0.5

# Row 15 (empty) becomes the current row; the code field (in the entry area
# at the window's foot, below the problems list that names the sample's one
# warning) gets F, field 1 the condition type K, field 2 a contact number
# beyond 1056.
read -r gx gy _ _ <<<"$(report gridRows)"
gh=$(report gridRowHeight)
xdotool mousemove --window "$main" $((gx + 240)) $((gy + gh * 13 + gh / 2)) click 1
xdotool key Down
sleep 0.3
read -r cx cy cw ch <<<"$(report mskTxt1)"
xdotool mousemove --window "$main" $((cx + cw / 2)) $((cy + ch / 2)) click 1
sleep 0.3
xdotool type --delay 100 F
sleep 0.5
xdotool type --delay 100 K
xdotool key Tab
xdotool type --delay 100 2000
xdotool mousemove 1270 710
sleep 1
# The two windows with their frames, cut out of the black root window.
import -window root "$out"
convert "$out" -bordercolor black -border 1 -trim +repage "$out"
echo "wrote $out"
