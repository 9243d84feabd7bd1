# The pictures are painted by assets/paint (run by hand, output committed) and compiled in.
set(KESTRUNE_EMBEDDED_FILES
    "BackdropPicture=${PROJECT_SOURCE_DIR}/assets/backdrop.jpg"
    "PanelPicture=${PROJECT_SOURCE_DIR}/assets/panel.jpg"
    "LookupPicture=${PROJECT_SOURCE_DIR}/assets/lookup.jpg"
    "PreviousFloorPicture=${PROJECT_SOURCE_DIR}/assets/previous_floor.jpg"
    "NextFloorPicture=${PROJECT_SOURCE_DIR}/assets/next_floor.jpg"
    "DEFAULT_ICON=${PROJECT_SOURCE_DIR}/assets/icon16.png")
set(embeddedPaths "")
foreach(entry IN LISTS KESTRUNE_EMBEDDED_FILES)
    string(REGEX REPLACE "^[^=]*=" "" path "${entry}")
    list(APPEND embeddedPaths "${path}")
endforeach()
set(embeddedSource ${PROJECT_BINARY_DIR}/generated/embedded_assets.cpp)
string(REPLACE ";" "|" embeddedEntries "${KESTRUNE_EMBEDDED_FILES}")
add_custom_command(OUTPUT ${embeddedSource}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${embeddedSource} "-DENTRIES=${embeddedEntries}"
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    DEPENDS ${embeddedPaths} ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    COMMENT "Embedding pictures" VERBATIM)
add_library(kestrune_assets STATIC ${embeddedSource} assets/embedded.h)
target_include_directories(kestrune_assets PUBLIC ${PROJECT_SOURCE_DIR})

if(EXISTS ${PROJECT_SOURCE_DIR}/assets/paint/CMakeLists.txt)
    add_subdirectory(assets/paint)
endif()
