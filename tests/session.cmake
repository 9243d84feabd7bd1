# The real program played by its scripted user (tools/session): it ends with code 0, runs clean
# under valgrind's memcheck, and writes no file and connects nowhere under strace. Then the real
# window fed hostile and random input.

# Qt's runtime folder for the session tests, so Qt makes none of its own under /tmp.
set(sessionRuntimeDir ${CMAKE_CURRENT_BINARY_DIR}/session-runtime)
file(MAKE_DIRECTORY ${sessionRuntimeDir})
file(CHMOD ${sessionRuntimeDir} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(sessionEnvironment "QT_QPA_PLATFORM=offscreen" "XDG_RUNTIME_DIR=${sessionRuntimeDir}")

add_test(NAME session_exits_0 COMMAND kestrune_session)
set_tests_properties(session_exits_0 PROPERTIES ENVIRONMENT "${sessionEnvironment}" TIMEOUT 60 LABELS session)

# Memcheck cannot run over sanitizer-instrumented code; such builds have their own checks.
find_program(KESTRUNE_VALGRIND valgrind)
if(KESTRUNE_VALGRIND AND NOT KESTRUNE_SANITIZE AND NOT KESTRUNE_FUZZ)
    add_test(NAME session_valgrind
        COMMAND ${KESTRUNE_VALGRIND} --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite
                --show-leak-kinds=definite --track-origins=no --num-callers=30 $<TARGET_FILE:kestrune_session>)
    set_tests_properties(session_valgrind PROPERTIES ENVIRONMENT "${sessionEnvironment}" TIMEOUT 240 LABELS session)
endif()

# The script makes its own fresh runtime folder, so it sees everything Qt would create.
find_program(KESTRUNE_STRACE strace)
if(KESTRUNE_STRACE)
    add_test(NAME session_strace
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/session_syscalls.sh ${KESTRUNE_STRACE} $<TARGET_FILE:kestrune_session>)
    set_tests_properties(session_strace PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120 LABELS session)
    # LeakSanitizer cannot run under ptrace; the other tests of a sanitized build look for leaks.
    if(KESTRUNE_SANITIZE OR KESTRUNE_FUZZ)
        set_property(TEST session_strace APPEND PROPERTY ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:halt_on_error=1")
    endif()
endif()

kestrune_add_gtest(robustness_test SOURCES robustness_test.cpp LIBS kestrune_test_support)
