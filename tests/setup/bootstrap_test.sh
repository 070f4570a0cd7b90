#!/usr/bin/env bash
# What scripts/bootstrap.sh decides on the registry's good and bad days, with stand-ins for
# apt-get, dpkg and dpkg-query on PATH: no network, nothing on the machine changed.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$root/scripts/packages.sh"
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Runs bootstrap in a fresh stand-in machine; leaves its output in $output, its status in $status.
bootstrap() {
    export FAKE_APT_DIR
    FAKE_APT_DIR=$(mktemp -d)
    output=$(PATH="$here/standins:$PATH" VORLENTA_APT_RETRY_PAUSE=0 bash "$root/scripts/bootstrap.sh" 2>&1)
    status=$?
}

count_lines() {
    grep -c -E "$1" <<<"$2"
}

every_core_package_installed() {
    local missing
    missing=$(PATH="$here/standins:$PATH" vorlenta_missing_packages "${vorlenta_core_packages[@]}")
    [[ -z "$missing" ]] || fail "$1: core packages not installed: $missing"
}

win32_judged_not_runnable() {
    local why
    if why=$(PATH="$here/standins:$PATH" bash -c "source '$root/tests/tools/wine-flavour.sh' &&
        vorlenta_flavour_runs win32"); then
        fail "$1: the 32-bit flavour counts as runnable"
    elif [[ $why != *"$2"* ]]; then
        fail "$1: the 32-bit flavour's reason does not name $2: $why"
    fi
}

bad_day() {
    local index=http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz
    FAKE_APT_BROKEN_INDEX=$index FAKE_APT_REFUSE=':i386$' bootstrap
    [[ $status == 0 ]] || fail "bad day: bootstrap ended with $status"
    every_core_package_installed "bad day"
    [[ $(count_lines '^apt-get update' "$(<"$FAKE_APT_DIR/calls")") == 3 ]] ||
        fail "bad day: the lists were not fetched three times"
    [[ $(count_lines "^bootstrap: index not fetched .*$index" "$output") == 1 ]] ||
        fail "bad day: the broken index is not named in one line"
    [[ $(count_lines "32-bit flavour's packages are not installed today \(apt: wine32:i386 : Depends" \
        "$output") == 1 ]] || fail "bad day: no line with apt's reason for the 32-bit set"
    [[ $(tail -n 1 <<<"$output") == *"32-bit set not installed" ]] ||
        fail "bad day: the last line does not say the 32-bit set is missing"
    grep '^apt-get install' "$FAKE_APT_DIR/calls" | grep -v -q -e '--no-remove' &&
        fail "bad day: an install may remove packages"
    win32_judged_not_runnable "bad day" "wine32:i386"
}

refused_core_package() {
    FAKE_APT_REFUSE='^xvfb$' bootstrap
    [[ $status != 0 ]] || fail "refused core package: bootstrap succeeded"
    [[ $output == *"the core packages could not be installed: xvfb : Depends"* ]] ||
        fail "refused core package: xvfb is not named: $(tail -n 1 <<<"$output")"
}

good_day_then_again() {
    bootstrap
    [[ $status == 0 && $(tail -n 1 <<<"$output") == *"32-bit set installed" ]] ||
        fail "good day: $(tail -n 1 <<<"$output")"
    rm "$FAKE_APT_DIR/calls"
    output=$(PATH="$here/standins:$PATH" bash "$root/scripts/bootstrap.sh" 2>&1)
    [[ ! -e "$FAKE_APT_DIR/calls" ]] || fail "again: apt-get ran though everything was installed"
    # A loader alone does not make the 32-bit flavour: its GL must be there too.
    sed -i '/^libgl1-mesa-dri:i386$/d' "$FAKE_APT_DIR/installed"
    win32_judged_not_runnable "without the 32-bit GL driver" "libgl1-mesa-dri:i386"
}

bad_day
refused_core_package
good_day_then_again
((failures == 0)) && echo "bootstrap decisions: all held"
exit $((failures > 0))
