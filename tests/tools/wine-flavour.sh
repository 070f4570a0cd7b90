# The one place that decides which Wine runs which Windows flavour of our programs. Sourced by
# every script that starts Wine; the `wine`, `wineserver` and `wineboot` in tests/tools/bin
# then run the loader chosen here, so no caller depends on the system's `wine` wrapper, which
# picks the 32-bit loader whenever it is installed, even where the kernel cannot run it.
#
#   vorlenta_flavour_use FLAVOUR    export the loader, server and prefix kind of FLAVOUR
#   vorlenta_flavour_runs FLAVOUR   succeed when FLAVOUR can run here; else say why
#   vorlenta_preferred_flavour      the flavour we ship (win32) where it runs, else win64

vorlenta_flavour_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$vorlenta_flavour_tools/../../scripts/packages.sh"

vorlenta_flavour_loader() {
    case "$1" in
        win32) echo /usr/lib/wine/wine ;;
        win64) echo /usr/lib/wine/wine64 ;;
        *) echo "wine-flavour: unknown flavour '$1' (win32 or win64)" >&2; return 2 ;;
    esac
}

vorlenta_flavour_server() {
    case "$1" in
        win32) echo /usr/lib/wine/wineserver32 ;;
        win64) echo /usr/lib/wine/wineserver64 ;;
        *) return 2 ;;
    esac
}

vorlenta_flavour_use() {
    local loader server
    loader=$(vorlenta_flavour_loader "$1") || return 2
    server=$(vorlenta_flavour_server "$1")
    export VORLENTA_FLAVOUR=$1 WINEARCH=$1 WINELOADER=$loader WINESERVER=$server
    case ":$PATH:" in
        *":$vorlenta_flavour_tools/bin:"*) ;;
        *) export PATH="$vorlenta_flavour_tools/bin:$PATH" ;;
    esac
}

# The 32-bit flavour needs its whole package set, not its loader alone: without the i386 GL
# packages WGL has no pixel formats, and without the i386 GStreamer no MP3 plays.
vorlenta_flavour_runs() {
    local loader output missing
    loader=$(vorlenta_flavour_loader "$1") || return 2
    if [[ $1 == win32 ]]; then
        missing=$(vorlenta_missing_packages "${vorlenta_i386_packages[@]}" | paste -sd ' ')
        if [[ -n "$missing" ]]; then
            echo "the 32-bit packages are not all installed (missing: $missing)"
            return 1
        fi
    fi
    if [[ ! -e "$loader" ]]; then
        echo "$loader is not installed"
        return 1
    fi
    if ! output=$("$loader" --version 2>&1); then
        echo "$loader does not start here: ${output##*: }"
        return 1
    fi
}

vorlenta_preferred_flavour() {
    if vorlenta_flavour_runs win32 >/dev/null; then
        echo win32
    else
        echo win64
    fi
}
