# The Debian packages that building, running and testing Vorlenta need, in two sets. Sourced by
# scripts/bootstrap.sh, which installs them, and by tests/tools/wine-flavour.sh, which runs the
# 32-bit flavour only where its whole set is installed.

# The core set must install: the native program, the 64-bit Windows flavour (which every machine
# can run), both flavours' builds, the tests and the release command.
vorlenta_core_packages=(
    # host build, unit tests, benchmarks, fuzzing, formatting
    cmake make g++ git googletest libbenchmark-dev clang libclang-rt-14-dev clang-format
    # 32-bit Windows cross build (the -posix compilers give GoogleTest its threads): the 32-bit
    # programs are built everywhere, even where they cannot run
    gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    # 64-bit Windows cross build of the same sources
    gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev
    # 64-bit Wine and its GL: `wine` is the wrapper, content with wine64 alone
    wine wine64 libgl1 libglx-mesa0 libgl1-mesa-dri libglu1-mesa
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
    # its Wayland shell: the client library with EGL windows and the protocols it speaks; and for
    # its tests a headless sway with grim to photograph it, wtype to type into it and swayidle to
    # start the show, and weston for a compositor without screen copy
    libwayland-dev wayland-protocols pkg-config sway swaybg swayidle grim wtype weston
    # its Debian package (cpack works out the dependencies with dpkg-shlibdeps) and the checks a
    # Debian maintainer runs on it: lintian, hardening-check (devscripts), desktop-file-validate,
    # xmllint, and /usr/bin/time for its memory
    dpkg-dev lintian devscripts desktop-file-utils libxml2-utils time
    # two monitors side by side: Xephyr with two screens inside an Xvfb, for the Linux program
    # and for Wine, whose X11 driver reads the heads through Xinerama
    xserver-xephyr libxinerama1
    # the XScreenSaver daemon that runs it in the end-to-end test, its picture helper and the
    # chooser of the visual for GL display modes (without it the daemon gives them a window
    # deeper than the screen, into which the helper cannot copy the desktop)
    xscreensaver xscreensaver-data xscreensaver-gl
    # end-to-end tests and their audio: a null sink to play into and music files made on the spot
    python3 procps psmisc pulseaudio libasound2-plugins lame sox
    # Wine's MPEGVideo device decodes MP3 files through GStreamer of the loader's width
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
)

# The 32-bit set may be missing on a given day (an i386 index mid-sync, the architectures skewed
# by a point release): without it the 32-bit programs are built but not run. Without Mesa's i386
# GL packages WGL has no pixel formats.
vorlenta_i386_packages=(
    wine32:i386 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386 libglu1-mesa:i386
    gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386 libasound2-plugins:i386
    libxinerama1:i386
)

# Prints those of the named packages that are not installed, one a line. A name without an
# architecture means the machine's own (or an architecture-independent package), as apt reads it.
vorlenta_missing_packages() {
    dpkg-query -W -f='${db:Status-Abbrev} ${Architecture} ${binary:Package}\n' 2>/dev/null |
        awk -v native="$(dpkg --print-architecture)" -v wanted="$*" '
            $1 == "ii" {
                installed[$3]
                if ($2 == native || $2 == "all") { name = $3; sub(/:.*/, "", name); installed[name] }
            }
            END {
                count = split(wanted, packages, " ")
                for (i = 1; i <= count; i++) if (!(packages[i] in installed)) print packages[i]
            }'
}
