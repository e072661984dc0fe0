#!/usr/bin/env bash
# Start-up time of vxedit against a bare Qt main window with one table widget
# (bench/bare_window.cpp), both from the same build, under Xvfb.
#
#   bash bench/startup.sh [BUILD_DIR] [RUNS]      (defaults: build, 15)
#
# A run is the time from starting the program until its main window is mapped
# on the X server, then checked to be painted (more than one colour). The
# figures are the medians over RUNS alternating runs of each program.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-15}
editor="$build/vxedit"
bare="$build/bench/bare_window"
for exe in "$editor" "$bare"; do
    [[ -x $exe ]] || { echo "missing $exe: build first (cmake --build $build)" >&2; exit 2; }
done
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb xdotool imagemagick)" >&2; exit 2; }
done

xvfb_pid=
if [[ -z ${BENCH_DISPLAY:-} ]]; then
    n=90
    while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
    display=:$n
    Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
else
    display=$BENCH_DISPLAY
fi
export DISPLAY=$display
home=$(mktemp -d)
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getmouselocation >/dev/null 2>&1 || { echo "no X server at $DISPLAY" >&2; exit 2; }

# Milliseconds from start to the first visible window of the program.
measure() {
    local exe=$1 start end pid window=
    start=$(date +%s%N)
    HOME=$home XDG_RUNTIME_DIR=$home QT_QPA_PLATFORM=xcb "$exe" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 2000); do
        window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1) && [[ -n $window ]] && break
    done
    end=$(date +%s%N)
    local colours=0
    [[ -n $window ]] && colours=$(import -window "$window" -format '%k' info: 2>/dev/null || echo 0)
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    if [[ -z $window || $colours -le 1 ]]; then
        echo "no painted window from $exe" >&2
        exit 1
    fi
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

measure "$bare" >/dev/null # warm the caches of both
measure "$editor" >/dev/null
editor_times=() bare_times=()
for _ in $(seq "$runs"); do
    bare_times+=("$(measure "$bare")")
    editor_times+=("$(measure "$editor")")
done
bare_ms=$(printf '%s\n' "${bare_times[@]}" | median)
editor_ms=$(printf '%s\n' "${editor_times[@]}" | median)
ratio=$(awk -v e="$editor_ms" -v b="$bare_ms" 'BEGIN {printf "%.2f", e / b}')
echo "bare Qt window: ${bare_ms} ms (median of $runs)"
echo "vxedit:         ${editor_ms} ms (median of $runs)"
echo "ratio:          ${ratio} (limit 1.50)"
awk -v r="$ratio" 'BEGIN {exit !(r <= 1.5)}' || { echo "start-up slower than 1.5 times the bare window" >&2; exit 1; }
