#!/usr/bin/env bash
# Finds include loops in src/: between files (a file and its header count as
# one, so x.cpp -> y.h -> x.h is a loop) and between folders. Prints each loop
# found; exit 0 when there is none, 1 when there is one.
#
#   tools/include-cycles.sh [SRC-DIR]     (default: src/ beside this script)

set -u
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}
[ -d "$src" ] || { echo "no folder $src" >&2; exit 2; }
cd "$src" || exit 2

unit() { local f=${1%.*}; echo "$f"; }

# One edge per quoted include of a file that exists under src/.
edges=$(
    find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort | while read -r file; do
        sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file" |
            while read -r included; do
                [ -f "$included" ] || continue
                from=$(unit "$file")
                to=$(unit "$included")
                [ "$from" = "$to" ] || echo "$from $to"
            done
    done | sort -u
)

status=0
report() { # $1: what the nodes are; stdin: edges
    local graph loops
    graph=$(cat)
    # tsort names the members of every loop it breaks on its standard error.
    loops=$(printf '%s\n' "$graph" | tsort 2>&1 >/dev/null)
    if [ -n "$loops" ]; then
        printf '%s\n' "$loops" |
            sed -e "s/^tsort: .*input contains a loop:/include loop between $1:/" -e 's/^tsort: /  /'
        status=1
    fi
}
report files < <(printf '%s\n' "$edges")
report folders < <(printf '%s\n' "$edges" |
    awk '{ split($1, a, "/"); split($2, b, "/"); if (a[1] != b[1]) print a[1], b[1] }' | sort -u)
[ $status -ne 0 ] || echo "no include loops in $src"
exit $status
