# Hardened Windows programs: stack protector and checked C library calls in all our code, the
# address-space randomisation and no-execute flags the Windows loader honours, and, for the two
# shipped programs, imports taken from System32 alone.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

add_compile_options(-fstack-protector-strong -D_FORTIFY_SOURCE=2)
add_link_options(-fstack-protector-strong -Wl,--dynamicbase -Wl,--nxcompat)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(-Wl,--high-entropy-va)
endif()

# Links the load-configuration record into TARGET and points the image's directory entry at
# it after every link (see cmake/pe_load_config.py).
function(vorlenta_load_imports_from_system32 target)
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/common/system/load_config.c)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/pe_load_config.py
                $<TARGET_FILE:${target}>
        VERBATIM)
endfunction()
