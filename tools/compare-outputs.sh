#!/usr/bin/env bash
# Runs two builds of vxedit-cli over the same schedules and says whether every
# output is byte for byte the same: explain and check --json in each language,
# listing (text) in each language, split. The schedules are the test data, the
# fuzz corpora and generated lines of every command (build/vx-linegen).
#
#   tools/compare-outputs.sh [options] [OLD-CLI [NEW-CLI]]
#       OLD-CLI defaults to $VX_BASELINE_CLI (a build of the code before the change),
#       NEW-CLI to build/vxedit-cli
#   tools/compare-outputs.sh [options] --record FILE [CLI]
#       writes a digest of every output of CLI (default build/vxedit-cli) to FILE
#   tools/compare-outputs.sh [options] --expect FILE [CLI]
#       compares every output of CLI with the digests in FILE (the CI check,
#       where no second build is at hand)
#   Recording and expecting read only the generated lines, and those without
#   control characters (whose files vxedit-cli names on stderr as no schedule,
#   a note that may change), so that new test data needs no new digests; a
#   change of the generator does (record them with the build of main before
#   the change).
# Options:
#   --count N      generated lines (default 200000)
#   --seed N       seed of the generator (default 1)
#   --linegen P    the generator (default build/vx-linegen)
#   --keep DIR     leave the inputs and outputs in DIR
#
# Exit 0: all identical; 1: a difference (the first ones are shown); 2: usage.
# check and listing read the generated lines in schedules of 1999 lines, the
# most the editor loads; explain and split read them as one file.

set -u
shopt -s nullglob

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
old=${VX_BASELINE_CLI:-}
new=$root/build/vxedit-cli
linegen=$root/build/vx-linegen
count=200000
seed=1
mode=compare
digests=
keep=
positional=()

usage() {
    sed -n '2,30p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

while [ $# -gt 0 ]; do
    case $1 in
    --count) count=${2:?}; shift 2 ;;
    --seed) seed=${2:?}; shift 2 ;;
    --linegen) linegen=${2:?}; shift 2 ;;
    --keep) keep=${2:?}; shift 2 ;;
    --record) mode=record; digests=${2:?}; shift 2 ;;
    --expect) mode=expect; digests=${2:?}; shift 2 ;;
    -h | --help) usage ;;
    -*) echo "unknown option $1" >&2; usage ;;
    *) positional+=("$1"); shift ;;
    esac
done

absolute() { case $1 in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }

if [ "$mode" = compare ]; then
    [ ${#positional[@]} -le 2 ] || usage
    [ ${#positional[@]} -ge 1 ] && old=${positional[0]}
    [ ${#positional[@]} -ge 2 ] && new=${positional[1]}
    [ -n "$old" ] || { echo "compare-outputs: name the older build (OLD-CLI or VX_BASELINE_CLI)" >&2; exit 2; }
    old=$(absolute "$old")
    binaries=("$old")
else
    [ ${#positional[@]} -le 1 ] || usage
    [ ${#positional[@]} -ge 1 ] && new=${positional[0]}
    digests=$(absolute "$digests")
    binaries=()
fi
new=$(absolute "$new")
binaries+=("$new")
for b in "${binaries[@]}" "$linegen"; do
    [ -x "$b" ] || { echo "not an executable: $b" >&2; exit 2; }
done
if [ "$mode" = expect ] && [ ! -r "$digests" ]; then
    echo "cannot read $digests" >&2
    exit 2
fi

if [ -n "$keep" ]; then
    work=$(absolute "$keep")
    rm -rf "$work" && mkdir -p "$work"
else
    # A folder name of one length: the listing's header names the schedule by
    # its full path, and the digests must not depend on where it stands.
    work=$(mktemp -d /tmp/vx-sameness.XXXXXXXXXX)
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/in" "$work/out"

# ---- Inputs: names without folders, so that the outputs that name the file
# are the same wherever the script runs.
whole=()
controls=
if [ "$mode" != compare ]; then
    skipdata=1
    controls=--no-controls
fi
for f in "$root"/tests/data/*.vfp "$root"/tests/data/*/*.vfp "$root"/tests/data/entry.cases \
    "$root"/fuzz/corpus/*/*; do
    [ -z "${skipdata:-}" ] || break
    rel=${f#"$root"/}
    name=${rel//\//_}
    cp "$f" "$work/in/$name"
    whole+=("$name")
done
"$linegen" --seed "$seed" --count "$count" $controls >"$work/in/generated.vfp" || exit 2
(cd "$work/in" && split -l 1999 -d -a 4 generated.vfp generated-part-) || exit 2
parts=()
for f in "$work"/in/generated-part-*; do parts+=("$(basename "$f")"); done

# ---- Jobs: NAME LINES ARGS..., one a line, NAME also the output's file name.
jobs=$work/jobs
: >"$jobs"
# CR LF, a lone CR and a lone LF each end a line, as the editor reads them.
lines_of() {
    perl -0777 -ne '$n = () = /\r\n|\r|\n/g; $n++ if length && !/[\r\n]\z/; print "$n\n"' \
        "$work/in/$1"
}
add() { echo "$*" >>"$jobs"; }
for lang in DE EN ES; do
    for f in "${whole[@]}" generated.vfp; do
        add "explain.$lang.$f" "$(lines_of "$f")" explain --lang "$lang" "$f"
    done
    for f in "${whole[@]}" "${parts[@]}"; do
        add "check.$lang.$f" "$(lines_of "$f")" check --json --lang "$lang" "$f"
        add "listing.$lang.$f" "$(lines_of "$f")" listing --lang "$lang" --date 07.12.2026 "$f"
    done
done
for f in "${whole[@]}" generated.vfp; do
    add "split.-.$f" "$(lines_of "$f")" split "$f"
done

# One output file per run: standard output, standard error and the exit code.
run() {
    local bin=$1 out=$2
    shift 2
    (cd "$work/in" && "$bin" "$@" >"$out" 2>"$out.err")
    local rc=$?
    { printf '\n--- stderr\n'; cat "$out.err"; printf -- '--- exit %s\n' "$rc"; } >>"$out"
    rm -f "$out.err"
    [ "$mode" = compare ] || sed -i "s|$work/in/|@/|g" "$out"
}

declare -A lines jobs_of failed
differences=0
shown=0
order=()
while read -r name n args; do
    key=${name%%.*}.$(echo "$name" | cut -d. -f2)
    if [ -z "${jobs_of[$key]+x}" ]; then
        order+=("$key")
        jobs_of[$key]=0
        lines[$key]=0
        failed[$key]=0
    fi
    jobs_of[$key]=$((jobs_of[$key] + 1))
    lines[$key]=$((lines[$key] + n))
    # shellcheck disable=SC2086
    run "$new" "$work/out/$name.new" $args
    if [ "$mode" = compare ]; then
        # shellcheck disable=SC2086
        run "$old" "$work/out/$name.old" $args
        if cmp -s "$work/out/$name.old" "$work/out/$name.new"; then
            [ -n "$keep" ] || rm -f "$work/out/$name.old" "$work/out/$name.new"
            continue
        fi
        if [ $shown -lt 3 ]; then
            echo "DIFFERENT: $args (first lines of the difference, < old, > new):"
            diff "$work/out/$name.old" "$work/out/$name.new" | head -n 12
            shown=$((shown + 1))
        fi
    else
        digest=$(sha256sum <"$work/out/$name.new" | cut -d' ' -f1)
        [ -n "$keep" ] || rm -f "$work/out/$name.new"
        if [ "$mode" = record ]; then
            echo "$digest $name" >>"$work/digests"
            continue
        fi
        if grep -qxF "$digest $name" "$digests"; then
            continue
        fi
        if [ $shown -lt 3 ]; then
            echo "DIFFERENT: $args: the output's digest is not the recorded one"
            shown=$((shown + 1))
        fi
    fi
    differences=$((differences + 1))
    failed[$key]=$((failed[$key] + 1))
done <"$jobs"

if [ "$mode" = record ]; then
    mv "$work/digests" "$digests"
    echo "recorded $(wc -l <"$digests") digests of $new in $digests"
    exit 0
fi

against=$old
[ "$mode" = expect ] && against="the digests in $digests"
echo "$new against $against; $count generated lines, seed $seed"
for key in "${order[@]}"; do
    if [ "${failed[$key]}" -eq 0 ]; then
        verdict=identical
    else
        verdict="${failed[$key]} of ${jobs_of[$key]} DIFFERENT"
    fi
    printf '%-12s %9d lines in %4d runs: %s\n' "$key" "${lines[$key]}" "${jobs_of[$key]}" "$verdict"
done
[ $differences -eq 0 ] || exit 1
echo "all outputs byte-identical"
