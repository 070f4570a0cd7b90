# GoogleTest is built from Debian's sources with whichever compiler this build uses, so the
# same tests run on the host and, cross-compiled, under Wine.
set(VORLENTA_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")

# Leak checking stays on in every sanitized test; only the GL driver's own allocations are
# suppressed, by the driver's library names.
set(VORLENTA_LEAK_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/tools/leaks/gl_driver.supp)
set(VORLENTA_LEAK_OPTIONS "LSAN_OPTIONS=suppressions=${VORLENTA_LEAK_SUPPRESSIONS}")

macro(vorlenta_add_googletest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${VORLENTA_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    include(GoogleTest)
endmacro()

# vorlenta_add_gtest(NAME SOURCES src... LIBS lib...)
# Host builds register each test case on its own; under Wine one program is one ctest entry,
# since listing the cases would start Wine at build time.
function(vorlenta_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                             PROPERTIES ENVIRONMENT "${VORLENTA_LEAK_OPTIONS}")
    endif()
endfunction()
