#!/usr/bin/env bash
# Prints a 120-line schedule with the Print command on a real printer: a CUPS
# server of this test's own with a cups-pdf queue. The PDF that comes out of
# the queue is read back with pdftotext.
#
#   print_through_cups.sh VXEDIT_CLI
#
# Exit 77 (skipped) without root (the cups-pdf backend runs only as root) or
# without cupsd, cups-pdf or poppler-utils. VX_PRINT_KEEP=DIR keeps the PDF.
set -euo pipefail

CLI="${1:?usage: print_through_cups.sh VXEDIT_CLI}"
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd

skip() {
    echo "SKIP: $*"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[[ $(id -u) -eq 0 ]] || skip "needs root for the cups-pdf backend"
for tool in cupsd lpadmin lpstat pdftotext pdfinfo; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[[ -x /usr/lib/cups/backend/cups-pdf && -f $PPD ]] || skip "printer-driver-cups-pdf is not installed"

# cups-pdf reads the settings of queue instance NAME from this one place.
INSTANCE="vxedit$$"
PDF_CONF="/etc/cups/cups-pdf-$INSTANCE.conf"
WORK="$(mktemp -d /tmp/vxedit-cups.XXXXXX)"
CUPSD_PID=""
cleanup() {
    [[ -n "$CUPSD_PID" ]] && kill "$CUPSD_PID" 2>/dev/null && wait "$CUPSD_PID" 2>/dev/null
    rm -f "$PDF_CONF"
    rm -rf "$WORK"
}
trap cleanup EXIT

mkdir -p "$WORK"/{spool,cache,state,log,out}
mkdir -m 1777 "$WORK/tmp"
chmod 0755 "$WORK" "$WORK/out"
export CUPS_SERVER="$WORK/cups.sock"

cat >"$WORK/cupsd.conf" <<EOF
Listen $CUPS_SERVER
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$WORK/cups-files.conf" <<EOF
ServerRoot $WORK
RequestRoot $WORK/spool
CacheDir $WORK/cache
StateDir $WORK/state
TempDir $WORK/tmp
ErrorLog $WORK/log/error_log
AccessLog $WORK/log/access_log
PageLog $WORK/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
Sandboxing Relaxed
EOF
printf 'Out %s\nAnonDirName %s\nLabel 0\nTitlePref 1\nLog %s\n' \
    "$WORK/out" "$WORK/out" "$WORK/log" >"$PDF_CONF"

cupsd -f -c "$WORK/cupsd.conf" -s "$WORK/cups-files.conf" >"$WORK/log/cupsd.out" 2>&1 &
CUPSD_PID=$!
# lpstat -r exits 0 whether the scheduler runs or not: its words tell.
running() { lpstat -r 2>/dev/null | grep -q '^scheduler is running'; }
for _ in $(seq 100); do
    running && break
    sleep 0.2
done
running || fail "the CUPS server did not start: $(cat "$WORK/log/cupsd.out")"

# pdftocairo keeps the text of the PDF readable on its way through PostScript.
lpadmin -p VXEDIT_PDF -v "cups-pdf:/$INSTANCE" -P "$PPD" -E \
    -o pdftops-renderer-default=pdftocairo 2>"$WORK/log/lpadmin.out" ||
    fail "the queue could not be added: $(cat "$WORK/log/lpadmin.out")"
lpadmin -d VXEDIT_PDF || fail "the queue could not be made the default"

# 120 lines: two full pages of 55 and a third of 10.
SCHEDULE="$WORK/plan120.vfp"
for i in $(seq 1 120); do
    case $((i % 4)) in
    0) printf 'K, %d, B\r\n' "$i" ;;
    1) printf 'M, %d, G\r\n' "$i" ;;
    2) printf 'L, %d, S, 40\r\n' "$i" ;;
    3) printf 'Z, %d\r\n' "$i" ;;
    esac
done >"$SCHEDULE"

DUMP="$("$CLI" --lang EN --date 06.12.2026 script <<EOF
file $SCHEDULE
menu Dat_Ein
printer system
menu Dat_Dru
dump
EOF
)"
grep -q '"messages": \[\]' <<<"$DUMP" ||
    fail "the Print command reported: $(grep -o '"messages": \[[^]]*\]' <<<"$DUMP")"

PDF="$WORK/out/VX-EDIT.pdf"
for _ in $(seq 300); do
    [[ -s "$PDF" && -z "$(lpstat -o 2>/dev/null)" ]] && break
    sleep 0.2
done
[[ -s "$PDF" ]] || fail "no PDF from the queue; $(tail -n 20 "$WORK/log/error_log" 2>/dev/null)"
if [[ -n "${VX_PRINT_KEEP:-}" ]]; then
    cp "$PDF" "$VX_PRINT_KEEP/"
fi

pages="$(pdfinfo "$PDF" | sed -n 's/^Pages: *//p')"
[[ "$pages" == 3 ]] || fail "expected 3 pages, got '$pages'"

page_text() { pdftotext -layout -f "$1" -l "$1" "$PDF" - | tr -s ' '; }
expect() {
    grep -qF -- "$2" <<<"$1" || fail "page $3 lacks '$2'"
}
for p in 1 2 3; do
    text="$(page_text "$p")"
    expect "$text" "VX-EDIT" "$p"
    expect "$text" "Page: $p" "$p"
    expect "$text" "06.12.2026" "$p"
    expect "$text" "LNo." "$p"
done
first="$(page_text 1)"
expect "$first" "Loco no. 2 speed 40 steps" 1
expect "$first" "L, 2, S, 40" 1
second="$(page_text 2)"
expect "$second" "M, 57, G" 2
expect "$second" "L, 110, S, 40" 2
last="$(page_text 3)"
expect "$last" "M, 113, G" 3
expect "$last" "K, 120, B" 3
if grep -qF "L, 110, S, 40" <<<"$last"; then
    fail "line 110 belongs on page 2 only"
fi
echo "PASS: 3 pages from the CUPS queue, headers and lines as printed"
