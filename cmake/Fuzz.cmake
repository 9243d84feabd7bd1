# libFuzzer targets (fuzz/). Everything in a fuzz build is compiled with coverage feedback and the
# sanitizers, so the program libraries the targets link are instrumented too; only the targets
# themselves link libFuzzer's main.
option(KESTRUNE_FUZZ "Build the libFuzzer targets in fuzz/ (Clang only)" OFF)

if(KESTRUNE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "KESTRUNE_FUZZ needs Clang (libFuzzer); configure with the 'fuzz' preset")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
