# Packaging: the desktop entry and AppStream data pass their validators, and both `cmake --install`
# and the .deb put exactly the program, those two files and six sharp icon sizes in place.
if(NOT (UNIX AND NOT APPLE))
    return()
endif()

# Compares each installed icon with assets/icon16.png pixel by pixel.
add_executable(kestrune_icon_pixels ${CMAKE_CURRENT_SOURCE_DIR}/packaging/icon_pixels.cpp)
target_link_libraries(kestrune_icon_pixels PRIVATE Qt6::Gui kestrune_warnings)
set_target_properties(kestrune_icon_pixels PROPERTIES AUTOMOC OFF)

# Warnings fail these too; hints (desktop entry) and pedantic notes (AppStream) are only shown.
add_test(NAME packaging_desktop_entry
    COMMAND desktop-file-validate ${PROJECT_BINARY_DIR}/packaging/${KESTRUNE_APP_ID}.desktop)
set_tests_properties(packaging_desktop_entry PROPERTIES
    LABELS packaging TIMEOUT 30 FAIL_REGULAR_EXPRESSION "error:|warning:")

add_test(NAME packaging_appstream
    COMMAND appstreamcli validate --no-net --pedantic ${PROJECT_BINARY_DIR}/packaging/${KESTRUNE_APP_ID}.metainfo.xml)
set_tests_properties(packaging_appstream PROPERTIES
    LABELS packaging TIMEOUT 30 FAIL_REGULAR_EXPRESSION "(^|\n)[EW]: ")

set(checkInstall bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/check_install.sh)
set(checkArguments ${PROJECT_BINARY_DIR} ${KESTRUNE_RELEASE_VERSION}
    ${PROJECT_SOURCE_DIR}/assets/icon16.png $<TARGET_FILE:kestrune_icon_pixels>)
add_test(NAME packaging_install_tree COMMAND ${checkInstall} tree ${CMAKE_COMMAND} ${checkArguments})
add_test(NAME packaging_deb COMMAND ${checkInstall} deb ${CMAKE_CPACK_COMMAND} ${checkArguments})
# Both install from the same build tree, which each run rewrites install_manifest.txt in.
set_tests_properties(packaging_install_tree packaging_deb PROPERTIES
    LABELS packaging TIMEOUT 60 RESOURCE_LOCK kestrune_build_install)
