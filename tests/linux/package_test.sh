#!/usr/bin/env bash
# The Debian package from the native build: its name, the files where XScreenSaver and the
# desktops look for them, a working program inside it, and its dependencies.
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
chmod 755 "$work" # apt reads local packages as its own unprivileged user
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$work/vorlenta_${version}_amd64.deb
[[ -f $deb ]] || { echo "no $deb"; ls "$work"; exit 1; }
contents=$(dpkg-deb -c "$deb")
listed=(./usr/libexec/xscreensaver/vorlenta ./usr/share/xscreensaver/config/vorlenta.xml
    ./usr/share/applications/screensavers/vorlenta.desktop ./usr/share/man/man6/vorlenta.6.gz)
for path in "${listed[@]}"; do
    grep -q " $path\$" <<<"$contents" || { echo "missing $path"; exit 1; }
done
dpkg-deb -x "$deb" "$work/root"
"$work/root/usr/libexec/xscreensaver/vorlenta" --help | grep -q -- "-window-id"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libx11-6 libpng16-16 libegl1 libglx0; do
    grep -q "$library" <<<"$depends" || { echo "no dependency on $library: $depends"; exit 1; }
done

# Installing for real needs root and a system without the package, which is left as found.
if [[ $(id -u) -eq 0 ]] && ! dpkg -s vorlenta >/dev/null 2>&1; then
    trap 'apt-get purge -y -q vorlenta >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
    apt-get install -y -q --no-install-recommends "$deb" >/dev/null
    installed=$(dpkg -L vorlenta)
    for path in "${listed[@]}"; do
        grep -qx "${path#.}" <<<"$installed" && [[ -e ${path#.} ]] || { echo "not installed: $path"; exit 1; }
    done
    /usr/libexec/xscreensaver/vorlenta --help | grep -q -- "-window-id"
    apt-get purge -y -q vorlenta >/dev/null
    for path in "${listed[@]}"; do
        [[ ! -e ${path#.} ]] || { echo "left behind after purge: $path"; exit 1; }
    done
    ! dpkg -s vorlenta >/dev/null 2>&1 || { echo "still registered after purge"; exit 1; }
    echo "installed with apt-get, files in place, purged cleanly"
fi
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes; depends: $depends"
