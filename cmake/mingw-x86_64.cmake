# Cross build for 64-bit Windows with MinGW-w64: the same programs for 64-bit Windows, and the
# flavour the tests can run on machines whose kernel refuses 32-bit programs.
set(VORLENTA_FLAVOUR win64)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VORLENTA_MINGW_PREFIX x86_64-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
