# Qt Test suites of the real window on the offscreen platform.
function(kestrune_add_qtest name)
    add_executable(${name} ${name}.cpp)
    target_link_libraries(${name} PRIVATE kestrune_platform_qt Qt6::Test kestrune_warnings)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()

kestrune_add_qtest(window_test)
