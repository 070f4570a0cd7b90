# Cross build for 32-bit Windows with MinGW-w64: the programs we ship.
set(VORLENTA_FLAVOUR win32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VORLENTA_MINGW_PREFIX i686-w64-mingw32)

# SSE2 doubles: the model's arithmetic rounds once per operation, exactly as on the host and
# in the 64-bit build, instead of in x87 extended precision rounded again on every store.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
