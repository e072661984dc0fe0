#!/bin/sh
# vxedit-cli must start where only Qt's core and GUI libraries are installed:
# neither the widget library nor the print support (which pulls it in).
#   cli_without_widgets.sh VXEDIT_CLI      exit 77 (skipped) without ldd
command -v ldd >/dev/null || { echo "SKIP: ldd is not installed"; exit 77; }
libs=$(ldd "$1") || { echo "FAIL: ldd $1"; exit 1; }
case "$libs" in
*libQt6Gui*) ;;
*) echo "FAIL: $1 does not link QtGui; is this the right program?"; exit 1 ;;
esac
case "$libs" in
*libQt6Widgets* | *libQt6PrintSupport*)
    echo "FAIL: $1 links the widget library:"
    echo "$libs" | grep -E 'Qt6(Widgets|PrintSupport)'
    exit 1
    ;;
esac
echo "PASS: no widget library in $1"
