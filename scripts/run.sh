#!/usr/bin/env bash
# Builds the Windows programs and runs the screen saver (Vorlenta.scr /s) under Wine: the
# 32-bit pair we ship where this machine can execute 32-bit programs, the 64-bit pair otherwise.
#
# With a working X display ($DISPLAY) it runs there, in a private Wine prefix under build/,
# until you press Escape. Without one it runs on a private virtual display
# (tests/tools/wine-env), photographs the sphere phase and the burst phase into
# screenshots/phase-a.png and screenshots/phase-b.png, and ends the show with Escape.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
source tests/tools/wine-flavour.sh
flavour=$(vorlenta_preferred_flavour)
if [[ $flavour == win32 ]]; then
    echo "run: the 32-bit programs (build/win32)"
else
    echo "run: the 64-bit programs (build/win64): $(vorlenta_flavour_runs win32)"
fi

cmake --preset "$flavour" >/dev/null
cmake --build --preset "$flavour" -j 2

bin=$root/build/$flavour/bin
saver=$bin/Vorlenta.scr

# A settings file beside the program if there is none yet: no background music.
write_default_setup() {
    local settings=$bin/Vorlenta.ini
    if [[ ! -f "$settings" ]]; then
        printf '[Section]\r\nBGM\x8b\xe6\x95\xaa=0\r\nBGM\xd8\xcb\xdf\xb0\xc4=0\r\nBGM\xcc\xa7\xb2\xd9=\r\n' >"$settings"
    fi
}

# Without a window manager Wine must manage its windows itself, or every hidden window waits
# for a withdrawal notice that never comes.
unmanaged_windows() {
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

run_on_this_display() {
    vorlenta_flavour_use "$flavour"
    export WINEPREFIX=$root/build/$flavour/run-prefix WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        echo "run: creating the Wine prefix $WINEPREFIX (once)"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    echo "run: starting the screen saver on $DISPLAY; press Escape to end it"
    wine "$saver" /s
}

# Inside wine-env: start, photograph both phases, end with Escape.
run_on_virtual_display() {
    local shots=$root/screenshots
    mkdir -p "$shots"
    unmanaged_windows
    # A desktop to photograph: the classic teal with a white checker.
    xsetroot -mod 16 16 -fg '#ffffff' -bg '#3a6ea5'
    wine "$saver" /s </dev/null >/dev/null 2>&1 &
    local saver_pid=$!
    if ! wine "$bin/window_probe.exe" wait-window Kessamiron_VC 20000 >/dev/null; then
        echo "run: the renderer showed no window" >&2
        kill "$saver_pid" 2>/dev/null || true
        return 1
    fi
    sleep 2
    import -window root "$shots/phase-a.png"
    # The burst starts after 400 frames, at whatever pace the display swaps: photograph until
    # fragments fly where the sphere never reaches (the window's upper left corner).
    for _ in $(seq 40); do
        import -window root "$shots/phase-b.png"
        if [[ $(convert "$shots/phase-b.png" -crop 250x150+40+60 -colorspace gray \
                -format '%[fx:mean>0.02]' info:) == 1 ]]; then
            break
        fi
        sleep 0.3
    done
    # Without a window manager the new window may not hold the keyboard focus: focus it, click
    # into it and press Escape again until it goes; a close request is the last resort.
    local window ended=0
    window=$(xdotool search --name '^Kessamiron_VC$' | tail -n 1)
    for _ in 1 2 3; do
        xdotool windowfocus --sync "$window" 2>/dev/null || true
        xdotool mousemove 600 600 click 1
        sleep 0.2
        # Held for a few frames, as a hand would: the renderer looks at the key only at the
        # end of a frame, so a press and release inside one frame would go unseen.
        xdotool keydown Escape
        sleep 0.15
        xdotool keyup Escape
        if wine "$bin/window_probe.exe" wait-gone Kessamiron_VC 2000 >/dev/null; then
            ended=1
            break
        fi
    done
    if [[ $ended == 0 ]]; then
        echo "run: Escape did not reach the renderer; closing its window instead" >&2
        wine "$bin/window_probe.exe" close Kessamiron_VC >/dev/null || true
    fi
    wait "$saver_pid"
    echo "run: screenshots in $shots/phase-a.png and $shots/phase-b.png"
}

write_default_setup
if [[ -n "${1:-}" && "$1" == "--virtual" ]]; then
    shift
elif [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    run_on_this_display
    exit 0
fi
export -f run_on_virtual_display unmanaged_windows
export root bin saver
exec env VORLENTA_WINEPREFIX="$root/build/$flavour/run-prefix" \
    tests/tools/wine-env --flavour "$flavour" bash -c run_on_virtual_display
