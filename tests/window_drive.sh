#!/usr/bin/env bash
# The editor as a user drives it: the real vxedit on an X server of its own
# (Xvfb) under a real window manager (openbox), with key presses and mouse
# clicks sent through the X server by xdotool. A command is chosen in the
# command list (docked in the main window; where its parts stand the editor
# reports itself into a file, VX_WINDOW_REPORT), its operands typed, the line
# transferred, undone and redone,
# saved through the real file dialog under a name typed without extension,
# reopened from the recent list; a cancelled Open keeps the rows; typing in a
# grid cell shows the unsaved mark; rows are copied and pasted; Enter in the
# last field transfers; F1 raises the help window, also from an open menu;
# Delete in a grid cell writes nothing. Checked: the saved file,
# the window titles, which window has the keyboard, and the grid as painted. A screenshot of every step goes to OUT_DIR/NN-step.png.
#
#   window_drive.sh VXEDIT OUT_DIR
#
# Exit 77 (skipped) when Xvfb, openbox, xdotool, xprop or ImageMagick is
# missing, unless VX_WINDOW_DRIVE_REQUIRED=1 (tools/test-all.sh sets it): then
# a missing program fails the test. VX_DRIVE_TIMEOUT: seconds to wait for any
# one thing to happen (default 30).
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

VXEDIT="${1:?usage: window_drive.sh VXEDIT OUT_DIR}"
OUT="${2:?usage: window_drive.sh VXEDIT OUT_DIR}"
LIMIT="${VX_DRIVE_TIMEOUT:-30}"

fail() {
    echo "FAIL: $*" >&2
    if [[ -s ${WORK:-/nonexistent}/vxedit.log ]]; then
        echo "--- vxedit's output:" >&2
        tail -n 20 "$WORK/vxedit.log" >&2
    fi
    exit 1
}

missing=()
for tool in Xvfb openbox xdotool xprop import compare; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    message="missing ${missing[*]} (Debian: xvfb openbox xdotool x11-utils imagemagick)"
    [[ ${VX_WINDOW_DRIVE_REQUIRED:-0} == 1 ]] && fail "$message"
    echo "SKIP: $message"
    exit 77
fi
[[ -x $VXEDIT ]] || fail "no program $VXEDIT"

WORK="$(mktemp -d /tmp/vxedit-drive.XXXXXX)"
XVFB_PID="" WM_PID="" APP_PID=""
cleanup() {
    local pid
    for pid in "$APP_PID" "$WM_PID" "$XVFB_PID"; do
        if [[ -n $pid ]] && kill "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null || true
        fi
    done
    [[ -n ${VX_DRIVE_KEEP:-} ]] || rm -rf "$WORK"
}
trap cleanup EXIT

mkdir -p "$OUT"
rm -f "$OUT"/[0-9][0-9]-*.png

# A home of the test's own: settings, recent list, backups and file dialog
# history never touch the user's.
export HOME="$WORK/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
export XDG_CACHE_HOME="$HOME/.cache" XDG_STATE_HOME="$HOME/.local/state"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER QT_QPA_PLATFORMTHEME XDG_CURRENT_DESKTOP \
    DESKTOP_SESSION QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb

# ---------------------------------------------------------------- waiting
# Runs a check again and again until it passes or LIMIT seconds are over.
eventually() {
    local end=$((SECONDS + LIMIT))
    until "$@"; do
        [[ $SECONDS -lt $end ]] || return 1
        sleep 0.05
    done
}

# The id of the visible window of vxedit whose title matches a pattern.
# (A search fails now and then when a window goes while it looks: again.)
# A search by name also looks at the icon name, which a window may take from
# another: the title itself must match.
found_named() {
    local w
    FOUND=
    for w in $(xdotool search --all --onlyvisible --pid "$APP_PID" --name "$1" 2>/dev/null); do
        if [[ "$(xdotool getwindowname "$w" 2>/dev/null)" =~ $1 ]]; then
            FOUND=$w
            break
        fi
    done
    [[ -n $FOUND ]]
}
window_named() { eventually found_named "$1" && echo "$FOUND"; }
no_window_named() { ! xdotool search --all --onlyvisible --pid "$APP_PID" --name "$1" >/dev/null 2>&1; }
visible_windows() { { xdotool search --all --onlyvisible --pid "$APP_PID" 2>/dev/null || true; } | wc -l; }
active_is() { [[ "$(xdotool getactivewindow 2>/dev/null)" == "$1" ]]; }
title_is() { [[ "$(xdotool getwindowname "$1" 2>/dev/null)" == "$2" ]]; }
has_keyboard() {
    eventually active_is "$1" ||
        fail "$2 should have the keyboard; the active window is" \
            "'$(xdotool getwindowname "$(xdotool getactivewindow)" 2>/dev/null)';" \
            "$(xprop -id "$1" _NET_WM_STATE 2>&1)"
}
expect_title() {
    eventually title_is "$1" "$2" ||
        fail "window title '$(xdotool getwindowname "$1")', expected '$2'"
}

step=0
shot() {
    step=$((step + 1))
    import -window root "$(printf '%s/%02d-%s.png' "$OUT" "$step" "$1")"
}

# The first rows of the grid as the main window paints them.
grid_rows() { import -window "$MAIN" -crop 700x50+4+40 +repage "$1"; }
grid_is() {
    grid_rows "$WORK/grid.png" &&
        [[ "$(compare -metric AE "$WORK/grid.png" "$1" null: 2>&1)" == 0 ]]
}
grid_is_not() { grid_rows "$WORK/grid.png" && ! grid_is "$1"; }
# The grid as painted once it has stopped changing.
grid_settled() {
    grid_rows "$1"
    sleep 0.2
    grid_is "$1"
}

# ---------------------------------------------------------------- X server
# Xvfb picks a free display itself and names it on file descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" \
    >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
display_named() { [[ -s $WORK/display ]]; }
eventually display_named || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
export DISPLAY=":$(tr -d '[:space:]' <"$WORK/display")"
eventually xdotool getmouselocation >/dev/null 2>&1 || fail "no X server at $DISPLAY"

openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
eventually wm_running || fail "openbox did not start: $(cat "$WORK/openbox.log")"

# ---------------------------------------------------------------- the flow
export VX_WINDOW_REPORT="$WORK/report.txt"
"$VXEDIT" >"$WORK/vxedit.log" 2>&1 &
APP_PID=$!

# A value of the window's report: "report KEY" prints it ("x y w h" for a place).
report() { sed -n "s/^$1 //p" "$VX_WINDOW_REPORT" 2>/dev/null; }
reported() { [[ -n "$(report window)" ]]; }
# The centre of a reported widget, in the main window's coordinates.
centre_of() {
    local x y w h
    read -r x y w h <<<"$(report "$1")"
    echo "$((x + w / 2)) $((y + h / 2))"
}

TITLE=" P L A N I F I C A C I Ò N - E D I T O R   para   V E L O X"
MAIN="$(window_named '^ P L A N I F I C A C I')" || true
[[ -n $MAIN ]] || fail "no main window within ${LIMIT}s"
expect_title "$MAIN" "$TITLE"
has_keyboard "$MAIN" "the main window at start"
eventually reported || fail "the editor wrote no report into $VX_WINDOW_REPORT"
shot start

# The command list is docked inside the main window, right of the grid, and
# is no window of its own.
read -r _ _ win_w win_h <<<"$(report window)"
read -r list_x list_y list_w list_h <<<"$(report listDock)"
read -r grid_x _ grid_w _ <<<"$(report grid)"
[[ "$(report listFloating)" == 0 && "$(report listVisible)" == 1 ]] ||
    fail "the command list is not docked: $(cat "$VX_WINDOW_REPORT")"
((list_x >= grid_x + grid_w && list_x + list_w <= win_w && list_y >= 0 &&
    list_y + list_h <= win_h)) || fail "the command list dock stands outside the main window"
no_window_named '^Comandos de planificación para VELOX$' ||
    fail "the command list is a window of its own"

# Line 11 of the list, "K = wait for a contact's state".
read -r rows_x rows_y _ _ <<<"$(report listRows)"
row_h="$(report listRowHeight)"
xdotool mousemove --window "$MAIN" $((rows_x + 60)) $((rows_y + row_h * 11 + row_h / 2)) \
    mousedown 1 sleep 0.1 mouseup 1
has_keyboard "$MAIN" "the main window after a command is chosen in the list"
# The grid as it looks, without focus, over the rest of the run.
eventually grid_settled "$WORK/empty.png" || fail "the grid does not stop changing"
shot command-chosen

# Contact 12, state B (occupied); Tab goes on to the second operand.
xdotool type --delay 60 12
xdotool key Tab
xdotool type --delay 60 B
shot operands-typed

# "Transfer into first empty line", the third of the buttons on the right.
# shellcheck disable=SC2046
xdotool mousemove --window "$MAIN" $(centre_of cmdUeb_leerZ) click 1
eventually grid_is_not "$WORK/empty.png" || fail "the transfer did not change the grid"
eventually grid_settled "$WORK/filled.png" || fail "the grid does not stop changing"
shot transferred

xdotool key ctrl+z
eventually grid_is "$WORK/empty.png" || fail "Ctrl+Z did not take the transferred line back"
shot undone
xdotool key ctrl+shift+z
eventually grid_is "$WORK/filled.png" || fail "Ctrl+Shift+Z did not bring the line back"
shot redone
has_keyboard "$MAIN" "the main window after undo and redo"

# Save: the toolkit's file dialog, opening in the home folder.
SAVE_TITLE=" Selección de fichero para: Guardar  >>> FICHERO DE PLANIFICACIÓN <<<"
xdotool key ctrl+s
DIALOG="$(window_named '^ Selección de fichero para: Guardar')" || true
[[ -n $DIALOG ]] || fail "Ctrl+S opened no file dialog"
expect_title "$DIALOG" "$SAVE_TITLE"
has_keyboard "$DIALOG" "the file dialog"
xdotool type --delay 60 horario
shot save-dialog
xdotool key Return
eventually no_window_named '^ Selección de fichero' || fail "the file dialog stayed open"
SAVED="$HOME/horario.vfp"
expect_title "$MAIN" "$TITLE   $SAVED"
has_keyboard "$MAIN" "the main window after saving"
[[ ! -e $HOME/horario ]] || fail "the name was saved without the .vfp extension"
[[ -f $SAVED ]] || fail "no $SAVED; the home folder holds: $(ls -A "$HOME")"
[[ "$(od -An -c "$SAVED" | tr -s ' ')" == " K , 1 2 , B \r \n" ]] ||
    fail "$SAVED holds $(od -An -c "$SAVED")"
grep -qx "RecentSchedule1=$SAVED" "$XDG_CONFIG_HOME/VX-Editor.conf" ||
    fail "the recent list in the test's own settings does not name $SAVED"
shot saved

# Open, and the file dialog cancelled: the rows, the file and the title stay.
xdotool key ctrl+o
OPEN="$(window_named '^ Selección de fichero para: ')" || true
[[ -n $OPEN ]] || fail "Ctrl+O opened no file dialog"
has_keyboard "$OPEN" "the open dialog"
xdotool key Escape
eventually no_window_named '^ Selección de fichero' || fail "the open dialog stayed open"
expect_title "$MAIN" "$TITLE   $SAVED"
eventually grid_is "$WORK/filled.png" || fail "a cancelled Open changed the rows"
shot open-cancelled

# A new schedule, then the saved one again from the end of the File menu.
xdotool key ctrl+n
expect_title "$MAIN" "$TITLE"
eventually grid_is "$WORK/empty.png" || fail "File > New left the line in the grid"
shot new-schedule
windows=$(visible_windows)
xdotool mousemove --window "$MAIN" 30 10 click 1
menu_open() { [[ $(visible_windows) -gt $windows ]]; }
eventually menu_open || fail "a click on the File menu opened no menu"
shot file-menu
# Up from the top of the menu wraps round to its last entry: the recent file.
xdotool key Up
shot recent-entry
xdotool key Return
expect_title "$MAIN" "$TITLE   $SAVED"
eventually grid_is "$WORK/filled.png" || fail "the schedule reopened shows other rows"
has_keyboard "$MAIN" "the main window after reopening"
shot reopened

# A character typed into a grid cell is a change: the title shows the unsaved
# mark; Escape empties the cell again and the mark goes.
read -r grid_x grid_y _ _ <<<"$(report gridRows)"
grid_row_h="$(report gridRowHeight)"
row_y() { echo $((grid_y + grid_row_h * ($1 - 1) + grid_row_h / 2)); }
xdotool mousemove --window "$MAIN" $((grid_x + 200)) "$(row_y 3)" click 1
xdotool type --delay 60 A
expect_title "$MAIN" "$TITLE   $SAVED*"
shot typed-in-grid
xdotool key Escape
expect_title "$MAIN" "$TITLE   $SAVED"

# Rows on the clipboard: row 1 copied, pasted before row 2, undone.
xdotool mousemove --window "$MAIN" $((grid_x + 200)) "$(row_y 1)" click 1
xdotool key ctrl+c
xdotool mousemove --window "$MAIN" $((grid_x + 200)) "$(row_y 2)" click 1
xdotool key ctrl+v
expect_title "$MAIN" "$TITLE   $SAVED*"
eventually grid_is_not "$WORK/filled.png" || fail "Ctrl+V pasted no row"
shot rows-pasted
xdotool key ctrl+z
expect_title "$MAIN" "$TITLE   $SAVED"

# Enter in the last operand field transfers the line into the row the line
# number names, and the code field has the keyboard for the next line.
read -r rows_x rows_y _ _ <<<"$(report listRows)"
xdotool mousemove --window "$MAIN" $((rows_x + 60)) $((rows_y + row_h * 11 + row_h / 2)) \
    mousedown 1 sleep 0.1 mouseup 1
has_keyboard "$MAIN" "the main window after a command is chosen in the list"
xdotool type --delay 60 13
xdotool key Tab
xdotool type --delay 60 F
xdotool key Tab Return
expect_title "$MAIN" "$TITLE   $SAVED*"
eventually grid_is_not "$WORK/filled.png" || fail "Enter in the last field transferred nothing"
shot enter-transferred
# Ctrl+Z in a field undoes the field's typing; in the grid, the transfer.
xdotool mousemove --window "$MAIN" $((grid_x + 200)) "$(row_y 2)" click 1
xdotool key ctrl+z
expect_title "$MAIN" "$TITLE   $SAVED"

xdotool key F1
HELP="$(window_named '^VXWEdite$')" || true
[[ -n $HELP ]] || fail "F1 raised no help window"
has_keyboard "$HELP" "the help window after F1"
shot help

# F1 in an open menu: the help page of the menu, in the help window.
xdotool windowactivate --sync "$MAIN"
has_keyboard "$MAIN" "the main window"
windows=$(visible_windows)
xdotool mousemove --window "$MAIN" 30 10 click 1
eventually menu_open || fail "a click on the File menu opened no menu"
xdotool key Down
shot menu-highlight
xdotool key F1
has_keyboard "$HELP" "the help window after F1 in the File menu"
menu_closed() { [[ $(visible_windows) -le $windows ]]; }
eventually menu_closed || fail "the menu stayed open after F1"
shot menu-help

# Delete in a grid cell writes nothing: the title shows no unsaved change,
# and the end below asks no question.
xdotool windowactivate --sync "$MAIN"
has_keyboard "$MAIN" "the main window"
xdotool mousemove --window "$MAIN" $((grid_x + 200)) "$(row_y 1)" click 1
xdotool key Delete Delete
sleep 0.3
expect_title "$MAIN" "$TITLE   $SAVED"
shot delete-in-grid

# Program end from the main window. The rows were changed since the save
# (and changed back), so the save question comes; "No" (Alt+N) ends.
xdotool windowactivate --sync "$MAIN"
has_keyboard "$MAIN" "the main window"
xdotool key ctrl+q
QUESTION="$(window_named "^$SAVED\$")" || true
[[ -n $QUESTION ]] || fail "Ctrl+Q asked no question"
has_keyboard "$QUESTION" "the save question"
shot end-question
xdotool key alt+n
ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
eventually ended || fail "Ctrl+Q did not end the program"
rc=0
wait "$APP_PID" || rc=$?
APP_PID=""
[[ $rc -eq 0 ]] || fail "vxedit ended with exit code $rc"
echo "PASS: $step steps, screenshots in $OUT"
