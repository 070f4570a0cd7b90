#!/usr/bin/env bash
# Builds both Windows flavours and everything a Windows user takes, into build/release/: the
# per-user setup programs and the zip archives, named by the version and the flavour.
#
#     bash scripts/bootstrap.sh && bash scripts/release.sh
#
# Given a code-signing certificate it signs them with Authenticode: the two programs, the
# uninstaller inside each setup program and the setup programs themselves.
#
#     VORLENTA_SIGN_PFX=cert.pfx VORLENTA_SIGN_PASSWORD=... \
#         [VORLENTA_SIGN_TIMESTAMP=http://timestamp.example] bash scripts/release.sh
#
# Without one it builds the same files unsigned, and says so. VORLENTA_RELEASE_DIR puts them
# into another folder (the signing test's own).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
release=${VORLENTA_RELEASE_DIR:-build/release}
signer=""
if [[ -n "${VORLENTA_SIGN_PFX:-}" ]]; then
    [[ -r "$VORLENTA_SIGN_PFX" ]] || { echo "release: cannot read $VORLENTA_SIGN_PFX" >&2; exit 1; }
    signer="$PWD/scripts/sign.sh"
    echo "release: signing with $VORLENTA_SIGN_PFX"
else
    echo "release: no certificate (VORLENTA_SIGN_PFX): building UNSIGNED files"
fi
mkdir -p "$release"
# An earlier release's files go, whatever their version; nothing else in the folder is touched.
rm -f "$release"/Vorlenta-*-setup.exe "$release"/Vorlenta-*.zip
for flavour in win32 win64; do
    cmake --preset "$flavour" -DVORLENTA_SIGN_SCRIPT="$signer" >/dev/null
    # Linked afresh and packed afresh, so that no earlier run's signature or lack of one stays.
    rm -f "build/$flavour/bin/Vorlenta.scr" "build/$flavour/bin/Vorlenta.dll" \
        "build/$flavour/packages/"*-setup.exe "build/$flavour/packages/"*.zip
    cmake --build --preset "$flavour" -j "$(nproc)" --target vorlenta_scr vorlenta_renderer
    if [[ -n "$signer" ]]; then
        for program in Vorlenta.scr Vorlenta.dll; do
            bash "$signer" "build/$flavour/bin/$program"
        done
    fi
    cmake --build --preset "$flavour" -j "$(nproc)" --target vorlenta_setup vorlenta_zip
    cp "build/$flavour/packages/"*-setup.exe "build/$flavour/packages/"*.zip "$release/"
done
echo "release: in $release ($([[ -n "$signer" ]] && echo signed || echo UNSIGNED))"
ls -l "$release" | awk 'NR > 1 { printf "  %-36s %9d bytes\n", $9, $5 }'
