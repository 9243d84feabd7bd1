# The Qt backend, and the program: process start-up over the core with the Qt backend chosen.
add_library(kestrune_platform_qt STATIC
    platform/qt/qt_backend.cpp platform/qt/qt_backend.h
    platform/qt/gbk.cpp platform/qt/gbk.h
    platform/qt/jpeg.cpp platform/qt/jpeg.h
    platform/qt/widgets.cpp platform/qt/widgets.h)
target_link_libraries(kestrune_platform_qt
    PUBLIC kestrune_core Qt6::Widgets
    PRIVATE kestrune_assets TurboJpeg::static kestrune_warnings)

add_executable(kestrune WIN32 main.cpp)
target_link_libraries(kestrune PRIVATE kestrune_platform_qt kestrune_warnings)
set_target_properties(kestrune PROPERTIES AUTOMOC OFF)

# Renders the real window to a PNG (the README's picture): kestrune_screenshot OUTPUT.png [FLOOR]
add_executable(kestrune_screenshot tools/screenshot/screenshot.cpp)
target_link_libraries(kestrune_screenshot PRIVATE kestrune_platform_qt kestrune_warnings)
