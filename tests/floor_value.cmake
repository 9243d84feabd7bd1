# The floor-text parser on its own: edge table and random comparison with strtod.
kestrune_add_gtest(floor_value_test
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/floor_value_test.cpp ${PROJECT_SOURCE_DIR}/ui/floor_value.cpp)
