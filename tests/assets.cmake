# The committed pictures and icon: file formats, exact sizes, and artwork that lines up with the controls.
kestrune_add_gtest(assets_test
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/assets_test.cpp
    LIBS kestrune_assets TurboJpeg::static Qt6::Gui)
# icon.ico is not embedded (it is for the Windows resource); the test reads it from the source tree.
target_compile_definitions(assets_test PRIVATE KESTRUNE_ICON_ICO="${PROJECT_SOURCE_DIR}/assets/icon.ico")
