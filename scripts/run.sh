#!/usr/bin/env bash
# Builds the Windows programs and runs the screen saver (Vorlenta.scr /s) under Wine: the
# 32-bit pair we ship where this machine has its packages and can execute 32-bit programs, the
# 64-bit pair otherwise.
#
# With a working X display ($DISPLAY) it runs there, in a private Wine prefix under build/,
# until you press Escape. Without one it runs on a private virtual display (tests/tools/wine-env)
# inside a Wine virtual desktop, where the show can switch the display mode and go full screen
# as on Windows: a few of Wine's own programs stand on that desktop first, so that what bursts
# is a desktop with windows on it. It photographs the sphere phase and the burst phase into
# screenshots/phase-a.png and screenshots/phase-b.png and ends the show with Escape. A program
# that faults fails the run, with Wine's message.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
source tests/tools/wine-flavour.sh
flavour=$(vorlenta_preferred_flavour)
# Which pair runs and why, said first and again on the last line.
if [[ $flavour == win32 ]]; then
    pair="the 32-bit pair (build/win32)"
else
    pair="the 64-bit pair (build/win64), as $(vorlenta_flavour_runs win32)"
fi
echo "run: $pair"

cmake --preset "$flavour" >/dev/null
cmake --build --preset "$flavour" -j 2

bin=$root/build/$flavour/bin
saver=$bin/Vorlenta.scr

# A settings file beside the program if there is none yet: no background music.
write_default_setup() {
    local settings=$bin/Vorlenta.ini
    if [[ ! -f "$settings" ]]; then
        python3 tests/tools/settings_file.py "$settings"
    fi
}

# Waits through the tests' one poll loop until the command succeeds: waits SECONDS WHAT COMMAND...
waits() {
    python3 "$root/tests/tools/waits.py" "$@"
}

run_on_this_display() {
    vorlenta_flavour_use "$flavour"
    export WINEPREFIX=$root/build/$flavour/run-prefix WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        echo "run: creating the Wine prefix $WINEPREFIX (once)"
    fi
    # The prefix as the tests have it; windows stay the window manager's.
    tests/tools/wine-prefix
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    echo "run: starting the screen saver on $DISPLAY; press Escape to end it"
    local log
    log=$(mktemp)
    "$WINELOADER" "$saver" /s 2> >(tee "$log" >&2)
    if grep -q -a 'Unhandled ' "$log"; then
        echo "run: a program faulted (above)" >&2
        return 1
    fi
    echo "run: the show ended; ran $pair"
}

# Inside wine-env: a desktop of the screen's size, a few windows on it, then the show, both
# phases photographed, ended with Escape.
desktop_name=vorlenta
desktop_window="vorlenta - Wine desktop"

on_desktop() {
    wine explorer "/desktop=$desktop_name,$(screen_size)" "$@" </dev/null >/dev/null 2>&1 &
}

probe() {
    wine "$bin/window_probe.exe" --desktop "$desktop_name" "$@" </dev/null
}

screen_size() {
    xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p'
}

# Wine's own notepad with some text, its registry editor and its mine sweeper, on a blue
# desktop, around the middle of the picture that faces the viewer first.
open_desktop_windows() {
    local text="$WINEPREFIX/drive_c/users/Public/Documents/Vorlenta.txt"
    mkdir -p "$(dirname "$text")"
    sed -n '1,24p' "$root/README.md" | sed 's/$/\r/' >"$text"
    wine reg add 'HKCU\Control Panel\Colors' /v Background /d '58 110 165' /f >/dev/null 2>&1
    open_window "Vorlenta.txt - Notepad" 300 250 640 420 notepad 'C:\users\Public\Documents\Vorlenta.txt'
    open_window "Registry Editor" 620 140 520 360 regedit
    open_window "WineMine" 420 560 0 0 winemine
    waits 20 "the windows painted where they were put" bash -c desktop_windows_painted
}

# Whether the middle of each window shows it rather than the desktop's blue behind it.
desktop_windows_painted() {
    local shot x y x_y
    shot=$(mktemp --suffix=.png)
    photograph "$shot"
    for x_y in 620,460 880,320 500,640; do
        x=${x_y%,*} y=${x_y#*,}
        if [[ $(convert "$shot" -format "%[pixel:p{$x,$y}]" info:) == "srgb(58,110,165)" ]]; then
            rm -f "$shot"
            return 1
        fi
    done
    rm -f "$shot"
}

# Starts PROGRAM on the desktop and puts its window TITLE at X, Y, W x H (its own size for 0 x 0).
open_window() {
    local title=$1 x=$2 y=$3 width=$4 height=$5
    shift 5
    on_desktop "$@"
    probe wait-window "$title" 30000 >/dev/null
    if ((width > 0)); then
        probe place "$title" "$x" "$y" "$width" "$height" >/dev/null
    else
        local size
        size=$(probe find "$title" | sed -n 's/.*frame=[-0-9]*,[-0-9]*,\([0-9]*\),\([0-9]*\).*/\1 \2/p')
        probe place "$title" "$x" "$y" $size >/dev/null
    fi
}

close_desktop_windows() {
    local title
    for title in "Vorlenta.txt - Notepad" "Registry Editor" "WineMine"; do
        probe close "$title" >/dev/null || true
    done
}

photograph() {
    import -window "$(xdotool search --name "^$desktop_window\$" | tail -n 1)" -depth 8 "$1"
}

# The first phase is photographed once the sphere stands in the black of the scene.
photograph_sphere() {
    photograph "$1"
    [[ $(convert "$1" -format '%[fx:p{10,10}.intensity<0.03 && p{512,384}.intensity>0.03]' \
        info:) == 1 ]]
}

# The burst starts after 400 frames, at whatever pace the display swaps: photographed once
# fragments fly where the sphere never reaches (the upper left corner).
photograph_burst() {
    photograph "$1"
    [[ $(convert "$1" -crop 250x150+40+60 -colorspace gray -format '%[fx:mean>0.02]' \
        info:) == 1 ]]
}

# Escape for the show (tests/tools/x_display.py clicks into the desktop's window first, which
# may not hold the keyboard focus without a window manager), again until the show goes; a close
# request is the last resort.
end_show() {
    for _ in 1 2 3; do
        python3 "$root/tests/tools/x_display.py" escape "$desktop_window" 600 600
        if probe wait-gone Kessamiron_VC 2000 >/dev/null; then
            return
        fi
    done
    echo "run: Escape did not reach the renderer; closing its window instead" >&2
    probe close Kessamiron_VC >/dev/null || true
}

run_on_virtual_display() {
    local shots=$root/screenshots
    mkdir -p "$shots"
    xsetroot -solid '#3a6ea5'
    open_desktop_windows
    on_desktop "$saver" /s
    if ! probe wait-window Kessamiron_VC 30000 >/dev/null; then
        echo "run: the renderer showed no window" >&2
        return 1
    fi
    waits 30 "the sphere drawn" bash -c 'photograph_sphere "$1"' - "$shots/phase-a.png"
    waits 90 "the burst" bash -c 'photograph_burst "$1"' - "$shots/phase-b.png"
    end_show
    probe wait-gone Kessamir_Main 5000 >/dev/null || true
    close_desktop_windows
    wait
    echo "run: screenshots in $shots/phase-a.png and $shots/phase-b.png; ran $pair"
}

write_default_setup
if [[ -n "${1:-}" && "$1" == "--virtual" ]]; then
    shift
elif [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    run_on_this_display
    exit
fi
export -f run_on_virtual_display waits on_desktop probe screen_size open_desktop_windows \
    desktop_windows_painted open_window close_desktop_windows photograph photograph_sphere \
    photograph_burst end_show
export root bin saver desktop_name desktop_window pair
exec env VORLENTA_WINEPREFIX="$root/build/$flavour/run-prefix" \
    tests/tools/wine-env --flavour "$flavour" bash -c run_on_virtual_display
