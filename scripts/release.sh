#!/usr/bin/env bash
# Builds both Windows flavours and everything a Windows user takes, into build/release/: the
# per-user setup programs and the zip archives, named by the version and the flavour.
#
#     bash scripts/bootstrap.sh && bash scripts/release.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
release=build/release
rm -rf "$release"
mkdir -p "$release"
for flavour in win32 win64; do
    cmake --preset "$flavour" >/dev/null
    cmake --build --preset "$flavour" -j "$(nproc)" --target vorlenta_setup vorlenta_zip
    cp "build/$flavour/packages/"*-setup.exe "build/$flavour/packages/"*.zip "$release/"
done
echo "release: in $release"
ls -l "$release" | awk 'NR > 1 { printf "  %-36s %9d bytes\n", $9, $5 }'
