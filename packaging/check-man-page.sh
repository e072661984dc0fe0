#!/usr/bin/env bash
# The man page must name every subcommand and every long option that the
# program's --help (and each subcommand's --help) names.
#
#   bash packaging/check-man-page.sh PAGE PROGRAM
set -euo pipefail
page=$1
program=$2
name=$(basename "$program")
# The page as plain words: no font escapes, "\-" as "-".
text=$(sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' "$page")

help=$("$program" --help)
subcommands=$(sed -n "s/^  $name \([a-z][a-z-]*\).*/\1/p" <<<"$help" | sort -u)
for sub in $subcommands; do
    help+=$'\n'$("$program" "$sub" --help)
done

missing=()
for sub in $subcommands; do
    grep -qE "^\.BR? $sub( |$)" <<<"$text" || missing+=("subcommand $sub")
done
# --help-all is the toolkit's own (its generic options), not the program's.
for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | grep -vx -- --help-all | sort -u); do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || missing+=("option $option")
done
if [[ ${#missing[@]} -ne 0 ]]; then
    printf "$(basename "$page") lacks %s\n" "${missing[@]}" >&2
    exit 1
fi
echo "$(basename "$page"): $(wc -w <<<"$subcommands") subcommands and all options of $name --help"
