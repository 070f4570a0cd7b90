#!/usr/bin/env bash
# The Debian package as a Debian maintainer and a user meet it: a sanitizer build refuses to be
# packaged; the package, made by packaging/linux/build_package.sh in a build of its own, passes
# lintian without errors or warnings, desktop-file-validate, xmllint and hardening-check; it
# holds its files where XScreenSaver, the desktops and the PATH look, with the licence, the
# changelog and a manual page of its version; it installs with apt-get, runs from the PATH, and
# purges cleanly.
#     package_test.sh BUILD VERSION
set -euo pipefail
build=$(realpath "$1")
version=$2
source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
chmod 755 "$work" # apt reads local packages as its own unprivileged user
trap 'rm -rf "$work"' EXIT
fail() { echo "$*"; exit 1; }

if grep -q '^VORLENTA_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    if (cd "$build" && cpack -G DEB -B "$work/refused" >"$work/refused.log" 2>&1); then
        fail "a sanitizer build was packaged"
    fi
    grep -q "sanitizers on" "$work/refused.log" ||
        fail "no reason given: $(cat "$work/refused.log")"
    echo "a sanitizer build is refused"
fi

deb=$(bash "$source/packaging/linux/build_package.sh" "$build/package" | tail -n 1)
[[ $deb == */vorlenta_${version}_amd64.deb && -f $deb ]] || fail "no package for $version: $deb"

lintian_report=$(lintian "$deb" 2>&1 | grep -v "running with root privileges" || true)
! grep -qE '^(E|W):' <<<"$lintian_report" || fail "lintian: $lintian_report"

contents=$(dpkg-deb -c "$deb")
listed=(./usr/bin/vorlenta ./usr/libexec/xscreensaver/vorlenta
    ./usr/share/xscreensaver/config/vorlenta.xml
    ./usr/share/applications/screensavers/vorlenta.desktop ./usr/share/man/man6/vorlenta.6.gz
    ./usr/share/doc/vorlenta/copyright ./usr/share/doc/vorlenta/changelog.gz)
for path in "${listed[@]}"; do
    grep -qE " $path( -> .*)?\$" <<<"$contents" || fail "missing $path"
done
root=$work/root
dpkg-deb -x "$deb" "$root"

validation=$(desktop-file-validate "$root/usr/share/applications/screensavers/vorlenta.desktop")
! grep -qiE 'error|warning' <<<"$validation" || fail "desktop entry: $validation"
settings=$root/usr/share/xscreensaver/config/vorlenta.xml
xmllint --noout "$settings"
for text in 'arg="--root"' 'arg="--delay %"' 'arg-set="--fps"' '<xscreensaver-updater' \
    'Written by'; do
    grep -qF "$text" "$settings" || fail "the settings lack $text"
done
delay=$(grep -o 'default="[0-9]*"' "$settings" | tr -dc 0-9)
"$root/usr/bin/vorlenta" --help | grep -q "(default $delay," ||
    fail "the slider's default is not the program's: $delay"
# Debian 12's own C start-up files carry no control-flow protection, so no program built on it
# can show that; every other check must pass.
hardening-check --nocfprotection --quiet "$root/usr/bin/vorlenta" || fail "hardening-check"
grep -q '^Files: \*' "$root/usr/share/doc/vorlenta/copyright" ||
    fail "copyright not machine-readable"
grep -q 'Permission is hereby granted' "$root/usr/share/doc/vorlenta/copyright" || fail "no licence"
zcat "$root/usr/share/doc/vorlenta/changelog.gz" | head -n 1 | grep -q "^vorlenta ($version)" ||
    fail "changelog not of $version"
manual=$(MANWIDTH=100 man -l "$root/usr/share/man/man6/vorlenta.6.gz" 2>/dev/null)
for text in "Vorlenta $version" FILES -delay -fps -visual -display -install --version -wayland \
    swayidle --picture; do
    grep -q -- "$text" <<<"$manual" || fail "the manual page lacks $text"
done

depends=$(dpkg-deb -f "$deb" Depends)
for library in libx11-6 libpng16-16 libegl1 libglx0 libwayland-client0 libwayland-egl1; do
    grep -q "$library" <<<"$depends" || fail "no dependency on $library: $depends"
done
[[ $(dpkg-deb -f "$deb" Recommends) == "xscreensaver-data, xscreensaver-gl, grim" ]] ||
    fail "recommends: $(dpkg-deb -f "$deb" Recommends)"

# Installing for real needs root and a system without the package, which is left as found.
if [[ $(id -u) -eq 0 ]] && ! dpkg -s vorlenta >/dev/null 2>&1; then
    trap 'apt-get purge -y -q vorlenta >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
    cp "$deb" "$work/"
    apt-get install -y -q --no-install-recommends "$work/$(basename "$deb")" >/dev/null
    installed=$(dpkg -L vorlenta)
    for path in "${listed[@]}"; do
        grep -qx "${path#.}" <<<"$installed" && [[ -e ${path#.} ]] || fail "not installed: $path"
    done
    [[ $(env -i PATH=/usr/bin:/bin vorlenta --version) == "vorlenta $version" ]] ||
        fail "vorlenta is not on the PATH"
    /usr/libexec/xscreensaver/vorlenta --help | grep -q -- "-window-id"
    apt-get purge -y -q vorlenta >/dev/null
    for path in "${listed[@]}"; do
        [[ ! -e ${path#.} ]] || fail "left behind after purge: $path"
    done
    ! dpkg -s vorlenta >/dev/null 2>&1 || fail "still registered after purge"
    echo "installed with apt-get, run from the PATH, purged cleanly"
fi
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes; lintian, desktop-file-validate," \
    "xmllint and hardening-check clean; depends: $depends"
