#!/usr/bin/env bash
# Builds the Debian package in a build folder of its own (default build/package): Debian's
# hardening flags from dpkg-buildflags (stack protector, _FORTIFY_SOURCE, relro, bind-now; PIE is
# the compiler's default), never sanitizers. Prints the path of the .deb on its last line.
#     bash packaging/linux/build_package.sh [BUILD_FOLDER]
set -euo pipefail
source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$(realpath -m "${1:-$source/build/package}")
cd "$source" # dpkg-buildflags maps this folder out of the debugging paths

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cmake --preset native -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLENTA_SANITIZE=OFF \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j 2 --target vorlenta_package_files >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/vorlenta_*_amd64.deb
