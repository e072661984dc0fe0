#!/usr/bin/env bash
# Everything CI runs, on a fresh Debian 12 machine as root:
#   1. installs the packages of tools/packages.txt and tools/test-packages.txt
#      that are missing, and generates the de_DE.UTF-8 locale,
#   2. build/       normal build, warnings as errors, all tests,
#   3. build-asan/  AddressSanitizer + UndefinedBehaviorSanitizer build, all tests,
#   4. build-fuzz/  clang libFuzzer build, each fuzz target FUZZ_SECONDS seconds,
#   5. build-pkg/   the Debian package: lintian, desktop and AppStream checks,
#                   and its programs run from an unpacked root.
# Steps 2 to 5 all run even when one fails; the exit code is 0 only when all pass.
#
# Environment: FUZZ_SECONDS (default 60), JOBS (default: nproc), STEPS (default
# "build asan fuzz package": a subset runs only those steps, for a quicker look).
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

# Ninja and ccache: a second run on the same machine, even from another clone,
# compiles only what changed (paths under ROOT are hashed relative to it).
export CCACHE_BASEDIR="$ROOT"
export CCACHE_NOHASHDIR=1
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
CMAKE_GEN=(-G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

FUZZ_SECONDS="${FUZZ_SECONDS:-60}"
JOBS="${JOBS:-$(nproc)}"
STEPS="${STEPS:-build asan fuzz package}"
if ! [[ "$FUZZ_SECONDS" =~ ^[0-9]+$ && "$JOBS" =~ ^[1-9][0-9]*$ ]]; then
    echo "test-all: FUZZ_SECONDS must be a number of seconds and JOBS a positive number" >&2
    exit 2
fi

SUMMARY=()
FAILED=0

note() { printf '\n==== %s\n' "$*"; }

# Runs a step in a subshell with errexit, so that its first failing command
# ends the step but not the script.
run_step() {
    local name="$1"
    shift
    local started=$SECONDS rc
    note "$name"
    set +e
    (
        set -euo pipefail
        "$@"
    )
    rc=$?
    set -e
    local took=$((SECONDS - started))
    if [[ $rc -eq 0 ]]; then
        SUMMARY+=("PASS  $name (${took}s)")
    else
        SUMMARY+=("FAIL  $name (${took}s, exit $rc)")
        FAILED=1
    fi
}

# ---------------------------------------------------------------- packages
install_packages() {
    local packages=() missing=() p
    while read -r p; do
        [[ -n "$p" ]] && packages+=("$p")
    done < <(sed -e 's/#.*//' -e 's/[[:space:]]\+/\n/g' tools/packages.txt tools/test-packages.txt)
    for p in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [[ ${#missing[@]} -eq 0 ]]; then
        echo "all ${#packages[@]} packages of tools/packages.txt and tools/test-packages.txt are installed"
        return 0
    fi
    echo "missing packages: ${missing[*]}"
    if [[ $(id -u) -ne 0 ]]; then
        echo "test-all: run as root to install them, or install them first" >&2
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
}

# The number helpers are checked under a German locale as well.
generate_locale() {
    if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        return 0
    fi
    if [[ $(id -u) -eq 0 && -f /etc/locale.gen ]]; then
        sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >>/etc/locale.gen
        locale-gen >/dev/null
    fi
}

# ---------------------------------------------------------------- builds
normal_build() {
    cmake -S . -B build "${CMAKE_GEN[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_WERROR=ON
    cmake --build build -j "$JOBS"
    # The packages are installed here: a missing X program fails the window test.
    VX_WINDOW_DRIVE_REQUIRED=1 ctest --test-dir build --output-on-failure --no-tests=error -j "$JOBS"
}

sanitizer_build() {
    cmake -S . -B build-asan "${CMAKE_GEN[@]}" -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON \
        -DVX_WERROR=ON
    cmake --build build-asan -j "$JOBS"
    ASAN_OPTIONS="detect_leaks=1" \
        UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
        ctest --test-dir build-asan --output-on-failure --no-tests=error -j "$JOBS"
}

fuzz_build_and_run() {
    local targets=() src
    for src in fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$src" .cpp)")
    done
    cmake -S . -B build-fuzz "${CMAKE_GEN[@]}" -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_FUZZ=ON -DVX_BUILD_TESTS=OFF -DVX_WERROR=ON
    cmake --build build-fuzz -j "$JOBS" --target "${targets[@]}"

    local artifacts="$ROOT/build-fuzz/artifacts" failed=0 t log work
    # Global, for the trap that runs when this step's subshell ends.
    FUZZ_WORK="$(mktemp -d)"
    trap 'rm -rf "${FUZZ_WORK:-}"' EXIT
    work="$FUZZ_WORK"
    mkdir -p "$artifacts"
    for t in "${targets[@]}"; do
        mkdir -p "$work/$t"
        if [[ -d "fuzz/corpus/$t" ]]; then
            cp -r "fuzz/corpus/$t/." "$work/$t/"
        fi
        log="$work/$t.log"
        echo "-- $t: ${FUZZ_SECONDS}s"
        if ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
            "build-fuzz/fuzz/$t" -max_total_time="$FUZZ_SECONDS" -print_final_stats=1 \
            -artifact_prefix="$artifacts/$t-" "$work/$t" >"$log" 2>&1 &&
            ! grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
            grep -E '^stat::number_of_executed_units|^Done ' "$log" | sed 's/^/   /' || true
        else
            echo "   FAILED; the input that failed is under $artifacts/"
            grep -vE '^#[0-9]+' "$log" | tail -n 60 || true
            failed=1
        fi
    done
    return $failed
}

# ---------------------------------------------------------------- package
# The package as a user gets it: unpacked into an empty root, its own files
# must pass the desktop tools' validators and its programs must run.
package_build_and_check() {
    local deb version root tmp
    deb=$(JOBS="$JOBS" bash packaging/build-deb.sh build-pkg "${CMAKE_GEN[@]}")
    version=$(dpkg-deb --field "$deb" Version)
    echo "-- $(basename "$deb")"
    dpkg-deb --field "$deb" Depends | sed 's/^/   Depends: /'

    echo "-- lintian (overrides with their reasons: packaging/lintian-overrides)"
    local lint rc=0
    lint=$(lintian --display-info --fail-on error,warning "$deb" 2>&1) || rc=$?
    grep -v 'root privileges' <<<"$lint" || true
    [[ $rc -eq 0 ]] || { echo "lintian found errors or warnings" >&2; return 1; }

    # Global, for the trap that runs when this step's subshell ends.
    PKG_WORK="$(mktemp -d)"
    trap 'rm -rf "${PKG_WORK:-}"' EXIT
    root="$PKG_WORK/root"
    tmp="$PKG_WORK/home"
    mkdir -p "$root" "$tmp"
    chmod 700 "$tmp"
    dpkg-deb -x "$deb" "$root"
    local f
    for f in usr/bin/vxedit usr/bin/vxedit-cli usr/share/applications/vxedit.desktop \
        usr/share/icons/hicolor/scalable/apps/vxedit.svg \
        usr/share/icons/hicolor/48x48/apps/vxedit.png \
        usr/share/icons/hicolor/256x256/apps/vxedit.png usr/share/mime/packages/vxedit.xml \
        usr/share/man/man1/vxedit.1.gz usr/share/man/man1/vxedit-cli.1.gz \
        usr/share/bash-completion/completions/vxedit-cli usr/share/doc/vxedit/copyright; do
        [[ -s "$root/$f" ]] || { echo "the package lacks /$f" >&2; return 1; }
    done

    echo "-- desktop-file-validate, appstreamcli validate, update-mime-database"
    desktop-file-validate "$root/usr/share/applications/vxedit.desktop"
    appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.metainfo.xml
    XDG_DATA_DIRS="$root/usr/share" update-mime-database "$root/usr/share/mime"
    grep -q 'application/x-vx-schedule:\*\.vfp' "$root/usr/share/mime/globs"
    grep -q 'application/x-mts-schedule:\*\.lsp' "$root/usr/share/mime/globs"

    echo "-- bash completion"
    local completion
    completion=$(bash -c 'source /usr/share/bash-completion/bash_completion; source "$1"
        COMP_LINE="vxedit-cli --lang EN li"; COMP_POINT=${#COMP_LINE}
        COMP_WORDS=(vxedit-cli --lang EN li); COMP_CWORD=3
        _vxedit_cli vxedit-cli li EN; echo "${COMPREPLY[*]}"' _ \
        "$root/usr/share/bash-completion/completions/vxedit-cli")
    echo "   vxedit-cli --lang EN li<TAB>: $completion"
    [[ "$completion" == listing ]]

    echo "-- the installed programs"
    local cli="$root/usr/bin/vxedit-cli" sample="$root/usr/share/doc/vxedit/examples/sample.vfp"
    local out
    out=$("$root/usr/bin/vxedit" --version)
    echo "   $out"
    [[ "$out" == "vxedit $version" ]]
    out=$("$cli" --version)
    echo "   $out"
    [[ "$out" == "vxedit-cli $version" ]]
    out=$(QT_QPA_PLATFORM=offscreen "$cli" check "$sample")
    echo "   check: exit 0, ${#out} characters"
    out=$(QT_QPA_PLATFORM=offscreen "$cli" listing --lang EN --date 06.12.2026 "$sample")
    echo "   listing: $(wc -l <<<"$out") lines"
    grep -q . <<<"$out"
    # The editor must still be running when the timeout ends it: with the
    # sample schedule, and with an MTS-PC schedule to import.
    for f in fuzz/corpus/fuzz_mts_line/*; do
        cat "$f"
        printf '\r\n'
    done >"$tmp/old.lsp"
    local file seconds rc
    for file in "$sample" "$tmp/old.lsp"; do
        seconds=5
        [[ "$file" == *.lsp ]] && seconds=3
        rc=0
        HOME="$tmp" XDG_RUNTIME_DIR="$tmp" QT_QPA_PLATFORM=offscreen \
            timeout "$seconds" "$root/usr/bin/vxedit" "$file" >"$tmp/vxedit.log" 2>&1 || rc=$?
        if [[ $rc -ne 124 ]]; then
            echo "vxedit $(basename "$file") ended with exit code $rc before the timeout:" >&2
            tail -n 20 "$tmp/vxedit.log" >&2
            return 1
        fi
        echo "   vxedit $(basename "$file"): still running after ${seconds}s"
    done
}

# ---------------------------------------------------------------- main
started=$SECONDS
note "packages"
install_packages
echo "compilers: $(g++ --version | head -n 1); $(clang++ --version | head -n 1)"
echo "jobs: $JOBS, fuzzing: ${FUZZ_SECONDS}s per target"
generate_locale


wanted() { [[ " $STEPS " == *" $1 "* ]]; }
if wanted build; then run_step "build: normal build and tests" normal_build; fi
if wanted asan; then run_step "build-asan: sanitizer build and tests" sanitizer_build; fi
if wanted fuzz; then run_step "build-fuzz: fuzz targets" fuzz_build_and_run; fi
if wanted package; then run_step "build-pkg: Debian package" package_build_and_check; fi
if [[ ${#SUMMARY[@]} -eq 0 ]]; then
    echo "test-all: STEPS names none of build, asan, fuzz, package" >&2
    exit 2
fi

note "summary ($((SECONDS - started))s)"
printf '%s\n' "${SUMMARY[@]}"
if [[ $FAILED -ne 0 ]]; then
    echo "test-all: FAILED"
    exit 1
fi
echo "test-all: all passed"
