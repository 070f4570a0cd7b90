#!/usr/bin/env bash
# Signs one Windows program in place with Authenticode (Debian's osslsigncode), with the
# certificate the release command was given:
#   VORLENTA_SIGN_PFX        the certificate and its key, PKCS#12
#   VORLENTA_SIGN_PASSWORD   its password (handed over on a pipe, never on a command line)
#   VORLENTA_SIGN_TIMESTAMP  optional: an RFC 3161 time-stamp server, so that the signature
#                            outlives the certificate
#
#     bash scripts/sign.sh PROGRAM.exe
set -euo pipefail
file=${1:?sign: name the program to sign}
: "${VORLENTA_SIGN_PFX:?sign: VORLENTA_SIGN_PFX names no certificate}"
signed="$file.signed"
trap 'rm -f "$signed"' EXIT
options=(sign -pkcs12 "$VORLENTA_SIGN_PFX" -readpass - -h sha256 -n Vorlenta
         -i https://vorlenta.github.io/ -in "$file" -out "$signed")
if [[ -n "${VORLENTA_SIGN_TIMESTAMP:-}" ]]; then
    options+=(-ts "$VORLENTA_SIGN_TIMESTAMP")
fi
printf '%s' "${VORLENTA_SIGN_PASSWORD:-}" | osslsigncode "${options[@]}" >/dev/null
mv "$signed" "$file"
