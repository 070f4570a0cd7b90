#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Vorlenta needs.
# Idempotent: when everything is present it changes nothing. Run as root on Debian 12.
set -euo pipefail

packages=(
    # host build, unit tests, benchmarks, fuzzing, formatting
    cmake make g++ git googletest libbenchmark-dev clang libclang-rt-14-dev clang-format
    # 32-bit Windows cross build (the -posix compilers give GoogleTest its threads)
    gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    # Wine with 32-bit OpenGL: without Mesa's i386 GL packages WGL has no pixel formats
    wine wine32:i386 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386 libglu1-mesa:i386
    # the virtual display and the tools that drive and photograph it
    xvfb xdotool x11-utils x11-xserver-utils imagemagick fonts-ipafont-gothic
    # end-to-end tests and their audio: a null sink to play into and music files made on the spot
    python3 procps psmisc pulseaudio libasound2-plugins:i386 lame sox
    # Wine's MPEGVideo device decodes MP3 files through 32-bit GStreamer
    gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
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
