#!/usr/bin/env bash
# The editor under a Wayland compositor: weston with its headless backend, the
# real vxedit on Qt's Wayland platform. A compositor places the windows itself,
# so the window is not asked from outside: the editor reports where its parts
# stand into a file (VX_WINDOW_REPORT). Checked: the main window is shown and
# the command list is docked inside it. A screenshot goes to OUT_DIR when
# weston's screenshooter works.
#
#   window_wayland.sh VXEDIT OUT_DIR
#
# Exit 77 (skipped) when weston or Qt's Wayland platform plugin (Debian:
# weston, qt6-wayland) is missing, unless VX_WINDOW_DRIVE_REQUIRED=1.
set -euo pipefail

VXEDIT="${1:?usage: window_wayland.sh VXEDIT OUT_DIR}"
OUT="${2:?usage: window_wayland.sh VXEDIT OUT_DIR}"
LIMIT="${VX_DRIVE_TIMEOUT:-30}"

fail() {
    echo "FAIL: $*" >&2
    for log in vxedit weston; do
        if [[ -s ${WORK:-/nonexistent}/$log.log ]]; then
            echo "--- $log's output:" >&2
            tail -n 15 "$WORK/$log.log" >&2
        fi
    done
    exit 1
}
skip() {
    [[ ${VX_WINDOW_DRIVE_REQUIRED:-0} == 1 ]] && fail "$1"
    echo "SKIP: $1"
    exit 77
}

command -v weston >/dev/null || skip "missing weston (Debian: weston)"
plugin_dir="$(dirname "$(ldd "$VXEDIT" | sed -n 's/.*libQt6Core.so.6 => \(\S*\).*/\1/p')")/qt6/plugins"
compgen -G "$plugin_dir/platforms/libqwayland*.so" >/dev/null ||
    skip "missing Qt's Wayland platform plugin in $plugin_dir (Debian: qt6-wayland)"
[[ -x $VXEDIT ]] || fail "no program $VXEDIT"

WORK="$(mktemp -d /tmp/vxedit-wayland.XXXXXX)"
WESTON_PID="" APP_PID=""
cleanup() {
    local pid
    for pid in "$APP_PID" "$WESTON_PID"; do
        if [[ -n $pid ]] && kill "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null || true
        fi
    done
    [[ -n ${VX_DRIVE_KEEP:-} ]] || rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -p "$OUT"
rm -f "$OUT"/wayland-*.png

eventually() {
    local end=$((SECONDS + LIMIT))
    until "$@"; do
        [[ $SECONDS -lt $end ]] || return 1
        sleep 0.1
    done
}

# A home and a runtime folder of the test's own; no X display to fall back on.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR XDG_CURRENT_DESKTOP
export WAYLAND_DISPLAY=vxedit-test LANG=C.UTF-8

# --debug lets the screenshooter in; pixman gives it pixels to shoot.
weston --backend=headless-backend.so --use-pixman --debug --socket="$WAYLAND_DISPLAY" \
    --width=1366 --height=768 --idle-time=0 >"$WORK/weston.log" 2>&1 &
WESTON_PID=$!
socket_up() { [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]]; }
eventually socket_up || fail "weston did not start"

export VX_WINDOW_REPORT="$WORK/report.txt"
QT_QPA_PLATFORM=wayland "$VXEDIT" >"$WORK/vxedit.log" 2>&1 &
APP_PID=$!

report() { sed -n "s/^$1 //p" "$VX_WINDOW_REPORT" 2>/dev/null; }
shown() { [[ "$(report exposed)" == 1 ]]; }
eventually shown || fail "the main window was not shown within ${LIMIT}s: $(cat "$VX_WINDOW_REPORT" 2>&1)"
[[ "$(report platform)" == wayland ]] || fail "Qt runs on '$(report platform)', not on wayland"

read -r _ _ win_w win_h <<<"$(report window)"
read -r list_x list_y list_w list_h <<<"$(report listDock)"
[[ "$(report listFloating)" == 0 && "$(report listVisible)" == 1 ]] ||
    fail "the command list is not docked: $(cat "$VX_WINDOW_REPORT")"
((list_x >= 0 && list_y >= 0 && list_x + list_w <= win_w && list_y + list_h <= win_h)) ||
    fail "the command list dock stands outside the main window: $(cat "$VX_WINDOW_REPORT")"
read -r _ entry_y _ _ <<<"$(report entryView)"
((entry_y > list_y + list_h)) || fail "the command list covers the entry area"

if command -v weston-screenshooter >/dev/null; then
    (cd "$WORK" && timeout 10 weston-screenshooter >/dev/null 2>&1) || true
    for shot in "$WORK"/wayland-screenshot*.png; do
        [[ -f $shot ]] && mv "$shot" "$OUT/wayland-main-window.png"
    done
fi
echo "PASS: main window ${win_w}x${win_h} on wayland, command list docked at $list_x,$list_y"
