# What both Windows flavours share; cmake/mingw-i686.cmake and cmake/mingw-x86_64.cmake set
# VORLENTA_FLAVOUR, CMAKE_SYSTEM_PROCESSOR and VORLENTA_MINGW_PREFIX, then include this. The
# -posix compilers are required: GoogleTest needs std::thread, which only the posix threading
# model provides.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VORLENTA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORLENTA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VORLENTA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORLENTA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# A user copies two files and nothing else: no run-time DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Every Win32 program, test or shipped, runs under the Wine of its flavour inside the private
# test environment.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/tools/wine-run
    ${VORLENTA_FLAVOUR})
