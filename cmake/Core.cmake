# Everything but the toolkit: builds and links without Qt, so tests can run it on the null backend.
add_library(kestrune_core STATIC
    app/formations.cpp app/formation_table.cpp app/program.cpp
    ui/main_window.cpp ui/floor.cpp ui/floor_value.cpp ui/links.cpp
    platform/core.cpp platform/allocator.cpp
    platform/null/null_backend.cpp)
target_include_directories(kestrune_core PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
target_link_libraries(kestrune_core PRIVATE kestrune_warnings)
# The core must never see Qt: no Qt include path reaches it and nothing of Qt links into it.
set_target_properties(kestrune_core PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
