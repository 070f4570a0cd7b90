#!/usr/bin/env bash
# The release command as a publisher uses it. Given a certificate (a throwaway self-signed one
# made here) it signs everything it ships, and every signature verifies against that
# certificate: the two programs in each zip, each setup program, and the uninstaller the 64-bit
# setup program writes when it installs (in the test prefix, and removed again). Without a
# certificate it says so and ships the same files unsigned. Runs inside tests/tools/wine-env
# (win64): bash tests/win32/release/signing_test.sh
# Its releases go to a folder of its own: build/release/ is the user's, and stays as it was.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VORLENTA_RELEASE_DIR="$work/release"

fail() {
    echo "signing test: $*" >&2
    exit 1
}

# What a program's signature says: "verified" against the throwaway certificate, "none", or
# anything else osslsigncode finds wrong.
signature_of() {
    if osslsigncode verify -CAfile "$work/signer.pem" -in "$1" >"$work/verify.log" 2>&1; then
        echo verified
    elif grep -q "No signature found" "$work/verify.log"; then
        echo none
    else
        echo "broken: $(tail -n 3 "$work/verify.log" | tr '\n' ' ')"
    fi
}

# Every program of the release: the setup programs and the programs in the zips.
shipped_programs() {
    rm -rf "$work/unzipped"
    for zip in "$VORLENTA_RELEASE_DIR"/*.zip; do
        mkdir -p "$work/unzipped/$(basename "$zip")"
        (cd "$work/unzipped/$(basename "$zip")" && cmake -E tar xf "$zip")
    done
    ls "$VORLENTA_RELEASE_DIR"/*-setup.exe "$work"/unzipped/*/Vorlenta.{scr,dll}
}

expect_every_program() {
    local wanted=$1 program
    for program in $(shipped_programs); do
        [[ "$(signature_of "$program")" == "$wanted" ]] ||
            fail "$program: $(signature_of "$program"), not $wanted"
    done
}

# The 64-bit setup program installs into the test prefix; the uninstaller it writes is signed,
# and removes everything again.
check_installed_uninstaller() {
    local folder=vorlenta-signed-install uninstaller signature
    wine "$(ls "$VORLENTA_RELEASE_DIR"/*-win64-setup.exe)" /S "/D=C:\\$folder" </dev/null >/dev/null 2>&1
    uninstaller="$WINEPREFIX/drive_c/$folder/Uninstall.exe"
    signature=$(signature_of "$uninstaller")
    [[ "$signature" == verified ]] || fail "the uninstaller is not signed: $signature"
    wine "$uninstaller" /S </dev/null >/dev/null 2>&1
    python3 tests/tools/waits.py 20 "the uninstaller to remove itself" test ! -e "$uninstaller" ||
        fail "the uninstaller did not finish"
}

user_release_before=$(ls -l --time-style=full-iso build/release 2>/dev/null || true)

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Vorlenta test signer" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$work/signer.key" \
    -out "$work/signer.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/signer.key" -in "$work/signer.pem" \
    -passout pass:throwaway -out "$work/signer.pfx"

VORLENTA_SIGN_PFX="$work/signer.pfx" VORLENTA_SIGN_PASSWORD=throwaway \
    bash scripts/release.sh >"$work/signed.log" 2>&1 || { cat "$work/signed.log"; fail "signed release failed"; }
grep -q "(signed)" "$work/signed.log" || fail "the signed release does not say it signed"
expect_every_program verified
check_installed_uninstaller
echo "signing test: every program of the signed release verifies"

bash scripts/release.sh >"$work/unsigned.log" 2>&1 || { cat "$work/unsigned.log"; fail "unsigned release failed"; }
grep -q "building UNSIGNED files" "$work/unsigned.log" || fail "the release does not say it is unsigned"
expect_every_program none
echo "signing test: without a certificate the same files are built unsigned, and it says so"

[[ "$(ls -l --time-style=full-iso build/release 2>/dev/null || true)" == "$user_release_before" ]] ||
    fail "build/release/ was changed"
echo "signing test: build/release/ is as it was"
