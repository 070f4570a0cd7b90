#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Vorlenta needs.
# Idempotent: when everything is present it changes nothing. Run as root on Debian 12.
set -euo pipefail

packages=(
    # host build, unit tests, benchmarks, fuzzing, formatting
    cmake make g++ git googletest libbenchmark-dev clang libclang-rt-14-dev clang-format
    # 32-bit Windows cross build (the -posix compilers give GoogleTest its threads)
    gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    # 64-bit Windows cross build of the same sources: the flavour every machine can run
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev
    # Wine with 32-bit OpenGL: without Mesa's i386 GL packages WGL has no pixel formats
    wine wine32:i386 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386 libglu1-mesa:i386
    # 64-bit Wine and its GL: the loader for machines whose kernel refuses i386 programs
    wine64 libgl1 libglx-mesa0 libgl1-mesa-dri libglu1-mesa
    # the virtual display and the tools that drive and photograph it
    xvfb xdotool xclip x11-utils x11-xserver-utils imagemagick fonts-ipafont-gothic
    # Wine draws the caption buttons of a window with the Marlett font
    fonts-wine
    # the setup programs, and Authenticode signing of what the release command ships (openssl
    # makes the signing test's throwaway certificate)
    nsis osslsigncode openssl
    # the native Linux program: X11 and GLX for the display, Mesa's EGL for frames without one,
    # Xinerama and RandR for the monitors
    libx11-dev libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libpng-dev libxinerama-dev
    libxrandr-dev
    # its Debian package (cpack works out the dependencies with dpkg-shlibdeps) and the checks a
    # Debian maintainer runs on it: lintian, hardening-check (devscripts), desktop-file-validate,
    # xmllint, and /usr/bin/time for its memory
    dpkg-dev lintian devscripts desktop-file-utils libxml2-utils time
    # two monitors side by side: Xephyr with two screens inside an Xvfb, for the Linux program
    # and for Wine, whose X11 driver of either width reads the heads through Xinerama
    xserver-xephyr libxinerama1:i386 libxinerama1
    # the XScreenSaver daemon that runs it in the end-to-end test, its picture helper and the
    # chooser of the visual for GL display modes (without it the daemon gives them a window
    # deeper than the screen, into which the helper cannot copy the desktop)
    xscreensaver xscreensaver-data xscreensaver-gl
    # end-to-end tests and their audio: a null sink to play into and music files made on the spot
    python3 procps psmisc pulseaudio libasound2-plugins:i386 libasound2-plugins lame sox
    # Wine's MPEGVideo device decodes MP3 files through GStreamer of the loader's width
    gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "bootstrap: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# One line of what the registry served this time, so that a red run says what changed.
# The host's own architecture: Mesa and GLU are installed for i386 too, at the same version.
installed_version() {
    dpkg-query -W -f='${Version}' "$1:$(dpkg --print-architecture)" 2>/dev/null ||
        dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo missing
}
echo "bootstrap: versions: wine $(installed_version wine64)," \
    "mesa $(installed_version libgl1-mesa-dri)," \
    "glu $(installed_version libglu1-mesa)," \
    "mingw-w64 gcc i686 $(installed_version gcc-mingw-w64-i686-posix)" \
    "x86_64 $(installed_version gcc-mingw-w64-x86-64-posix)," \
    "googletest $(installed_version googletest)," \
    "cmake $(installed_version cmake)"
