#!/usr/bin/env bash
# Remakes the README's pictures from our own programs on a private virtual display: the sphere
# phase and the burst phase of the full-screen show of a desktop with windows on it (as
# scripts/run.sh shows it), the preview as a 152 x 112 preview window shows it, and the settings
# dialog with its caption. They are saved, scaled for the page, as docs/*.png.
#
#     bash scripts/bootstrap.sh && bash docs/make_pictures.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
source tests/tools/wine-flavour.sh
flavour=$(vorlenta_preferred_flavour)

bash scripts/run.sh --virtual
convert screenshots/phase-a.png -resize 480x "$root/docs/sphere.png"
convert screenshots/phase-b.png -resize 480x "$root/docs/burst.png"

# The preview shows the still stretched over the preview window with halftone smoothing. Under
# Wine a child window of another process does not reach the screen, so the preview is drawn the
# way the preview form draws it rather than photographed.
convert assets/preview_still.bmp -filter Triangle -resize '152x112!' "$root/docs/preview.png"

# Inside wine-env: the settings dialog, photographed by its own rectangle once it is placed.
photograph_dialog() {
    local bin=$root/build/$flavour/bin
    xsetroot -solid '#3a6ea5'
    wine "$bin/Vorlenta.scr" /c </dev/null >/dev/null 2>&1 &
    local window frame
    wine "$bin/window_probe.exe" wait-window '<Vorlenta>' 20000 >/dev/null
    sleep 2
    window=$(wine "$bin/window_probe.exe" find '<Vorlenta>')
    frame=$(sed -n 's/.*frame=\([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\3x\4+\1+\2/p' <<<"$window")
    import -window root -crop "$frame" +repage "$root/docs/settings.png"
    wine "$bin/window_probe.exe" close '<Vorlenta>' >/dev/null
    wait
}
export -f photograph_dialog
export root flavour
tests/tools/wine-env --flavour "$flavour" bash -c photograph_dialog
echo "pictures: docs/sphere.png docs/burst.png docs/preview.png docs/settings.png"
