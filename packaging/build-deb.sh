#!/usr/bin/env bash
# Builds the Debian package vxedit_VERSION_ARCH.deb with CPack, from a build
# directory of its own, with Debian's hardening build flags; prints its path
# (alone on standard output; the build's messages go to standard error).
#
#   bash packaging/build-deb.sh [BUILD_DIR [CMAKE_ARGUMENTS...]]   (default build-pkg)
#
# Needs the packages of tools/packages.txt (dpkg-dev and file for the
# dependencies that dpkg-shlibdeps computes, librsvg2-bin for the PNG icons).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-pkg}
shift || true

command -v dpkg-buildflags >/dev/null || { echo "build-deb: dpkg-buildflags missing (dpkg-dev)" >&2; exit 2; }
# Stripped anyway, so no debug information; hardening as a Debian package has it.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$build" "$@" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVX_BUILD_TESTS=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}" >&2
rm -f "$build"/vxedit_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$(cd "$build" && pwd)"/vxedit_*.deb
