find_package(Qt6 REQUIRED COMPONENTS Test)

add_library(kestrune_test_support STATIC
    support/test_window.cpp support/test_window.h support/qt_driver.cpp support/qt_driver.h)
target_include_directories(kestrune_test_support PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
target_link_libraries(kestrune_test_support PUBLIC kestrune_platform_qt Qt6::Test PRIVATE kestrune_warnings)

kestrune_add_gtest(contract_test SOURCES contract_test.cpp LIBS kestrune_test_support)
kestrune_add_gtest(program_test SOURCES program_test.cpp LIBS kestrune_test_support)
kestrune_add_gtest(floor_test SOURCES floor_test.cpp LIBS kestrune_test_support)
