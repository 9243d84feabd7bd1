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

# Under a real X server with a window manager: the frame and caption are the point here.
find_program(KESTRUNE_XVFB_RUN xvfb-run)
find_program(KESTRUNE_OPENBOX openbox)
if(KESTRUNE_XVFB_RUN AND KESTRUNE_OPENBOX)
    add_executable(frame_test frame_test.cpp)
    target_link_libraries(frame_test PRIVATE kestrune_platform_qt Qt6::Test kestrune_warnings)
    target_include_directories(frame_test PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
    set_target_properties(frame_test PROPERTIES AUTOMOC ON)
    add_test(NAME frame_test COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/with_window_manager.sh $<TARGET_FILE:frame_test>)
    set_tests_properties(frame_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 120)
endif()
