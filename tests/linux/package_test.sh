#!/usr/bin/env bash
# The Debian package from the native build: its name, the files where XScreenSaver and the
# desktops look for them, a working program inside it, and its dependencies.
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$work/vorlenta_${version}_amd64.deb
[[ -f $deb ]] || { echo "no $deb"; ls "$work"; exit 1; }
contents=$(dpkg-deb -c "$deb")
for path in ./usr/libexec/xscreensaver/vorlenta ./usr/share/xscreensaver/config/vorlenta.xml \
    ./usr/share/applications/screensavers/vorlenta.desktop ./usr/share/man/man6/vorlenta.6.gz; do
    grep -q " $path\$" <<<"$contents" || { echo "missing $path"; exit 1; }
done
dpkg-deb -x "$deb" "$work/root"
"$work/root/usr/libexec/xscreensaver/vorlenta" --help | grep -q -- "-window-id"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libx11-6 libpng16-16 libegl1 libglx0; do
    grep -q "$library" <<<"$depends" || { echo "no dependency on $library: $depends"; exit 1; }
done
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes; depends: $depends"
