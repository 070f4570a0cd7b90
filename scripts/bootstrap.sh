#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Vorlenta needs, whatever
# versions the registry serves today. Idempotent: when everything is present it changes nothing.
# Run as root on Debian 12.
#
# The registry has bad days: an index mid-sync, or a point release that has reached one
# architecture's packages and not the other's. So the package lists are fetched again a few
# times and then taken as they are, and the packages come in two sets (scripts/packages.sh): the
# core set, which must install, and the 32-bit set, which may be missing today. Without it the
# tests and the show run the 64-bit pair. Nothing the machine has is ever removed or downgraded.
#
# VORLENTA_APT_RETRY_PAUSE: seconds between two fetches of the package lists (default 10).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

update_tries=3
retry_pause=${VORLENTA_APT_RETRY_PAUSE:-10}
apt_log=$(mktemp)
trap 'rm -f "$apt_log"' EXIT
export DEBIAN_FRONTEND=noninteractive

say() {
    echo "bootstrap: $*"
}

# apt's own words for why it failed, from its output in $apt_log, in one line: the lines that
# name a package (unmet dependencies) first, then its errors; the first three of them.
apt_reason() {
    {
        grep -E '^ +[^ ]+ : (Depends|PreDepends|Breaks|Conflicts):' "$apt_log" || true
        grep -E '^E: ' "$apt_log" | grep -v -E 'Unable to correct problems|find any package by' || true
    } | sed -E 's/^ +//; s/^E: //; s/ +/ /g' |
        awk '{ if (NR <= 3) line = line (NR > 1 ? "; " : "") $0 }
             END { print line (NR > 3 ? " (and " NR - 3 " more)" : "") }'
}

# Runs apt-get with its output shown and kept in $apt_log.
apt_get() {
    apt-get "$@" 2>&1 | tee "$apt_log"
}

# Fetches the package lists, a few times if an index fails. An index that still fails is named,
# and apt goes on with the lists it has (it keeps the old copy of a list it could not fetch).
refresh_package_lists() {
    local try
    for ((try = 1; try <= update_tries; try++)); do
        # apt ends with 0 when it could not reach a mirror at all: its warning says so.
        if apt_get update -q && ! grep -q -E '^[EW]: Failed to fetch ' "$apt_log"; then
            return 0
        fi
        if ((try < update_tries)); then
            say "fetching the package lists failed (try $try of $update_tries); again in ${retry_pause} s"
            sleep "$retry_pause"
        fi
    done
    if ! grep -E '^[EW]: Failed to fetch ' "$apt_log" |
        sed -E 's/^[EW]: Failed to fetch ([^ ]+) +(.*)$/bootstrap: index not fetched after '"$update_tries"' tries, going on without it: \1 (\2)/'; then
        say "fetching the package lists failed after $update_tries tries ($(apt_reason)); going on with the lists apt has"
    fi
}

# apt-get install that may add packages and upgrade what they need, but never remove or
# downgrade anything the machine has.
install_packages() {
    apt_get install -y -q --no-install-recommends --no-remove "$@"
}

install_core_set() {
    local missing
    mapfile -t missing < <(vorlenta_missing_packages "${vorlenta_core_packages[@]}")
    ((${#missing[@]})) || return 0
    say "installing the core set: ${missing[*]}"
    if ! install_packages "${missing[@]}"; then
        say "the core packages could not be installed: $(apt_reason)" >&2
        exit 1
    fi
}

# The i386 architecture goes in before the lists are fetched, so that they hold its packages.
# Prints why not when dpkg refuses it.
enable_i386() {
    local output
    dpkg --print-foreign-architectures | grep -x i386 >/dev/null && return 0
    output=$(dpkg --add-architecture i386 2>&1) || echo "dpkg refuses the i386 architecture: $output"
}

# The 32-bit set, where apt can have it today. Prints apt's reason when it cannot, and fails.
install_i386_set() {
    local missing
    mapfile -t missing < <(vorlenta_missing_packages "${vorlenta_i386_packages[@]}")
    ((${#missing[@]})) || return 0
    say "installing the 32-bit set: ${missing[*]}" >&2
    install_packages "${missing[@]}" >&2 || { apt_reason && return 1; }
}

i386_set="installed"
note_i386_set_missing() {
    local reason=$1 short=${1:0:160}
    [[ ${#reason} -le 160 ]] || short+="…"
    say "the 32-bit flavour's packages are not installed today (apt: $short);" \
        "the tests and the show will run the 64-bit flavour"
    i386_set="not installed"
}

installed_version() {
    dpkg-query -W -f='${Version}' "$1:$(dpkg --print-architecture)" 2>/dev/null ||
        dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo missing
}

architecture_refused=""
if [[ -n "$(vorlenta_missing_packages "${vorlenta_core_packages[@]}" "${vorlenta_i386_packages[@]}")" ]]; then
    architecture_refused=$(enable_i386)
    refresh_package_lists
fi
install_core_set
if [[ -n "$architecture_refused" ]]; then
    note_i386_set_missing "$architecture_refused"
elif ! reason=$(install_i386_set); then
    note_i386_set_missing "$reason"
fi

# One line of what the registry served this time, so that a red run says what changed.
# The host's own architecture: Mesa and GLU are installed for i386 too, at the same version.
say "versions: wine $(installed_version wine64)," \
    "mesa $(installed_version libgl1-mesa-dri)," \
    "glu $(installed_version libglu1-mesa)," \
    "mingw-w64 gcc i686 $(installed_version gcc-mingw-w64-i686-posix)" \
    "x86_64 $(installed_version gcc-mingw-w64-x86-64-posix)," \
    "googletest $(installed_version googletest)," \
    "cmake $(installed_version cmake); 32-bit set $i386_set"
