# Running out of memory: every allocation of a whole session on the null backend, failed in turn.
kestrune_add_gtest(faults_test SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/faults_test.cpp LIBS kestrune_test_support)
