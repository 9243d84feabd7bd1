# Installation (cmake --install), the Debian package (cpack) and the Windows program file's resources.
include(GNUInstallDirs)

set(KESTRUNE_APP_ID "com.example.Kestrune")
set(KESTRUNE_EXECUTABLE "kestrune")
set(KESTRUNE_RELEASE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(KESTRUNE_RELEASE_DATE "2026-12-11")

install(TARGETS kestrune RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# ---- Desktop integration: desktop entry, AppStream data, icon theme ----
if(UNIX AND NOT APPLE)
    set(packagingDir ${PROJECT_BINARY_DIR}/packaging)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/${KESTRUNE_APP_ID}.desktop.in
                   ${packagingDir}/${KESTRUNE_APP_ID}.desktop @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/${KESTRUNE_APP_ID}.metainfo.xml.in
                   ${packagingDir}/${KESTRUNE_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${packagingDir}/${KESTRUNE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${packagingDir}/${KESTRUNE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    # The theme's sizes are whole multiples of the 16-pixel icon, enlarged pixel by pixel so they stay sharp.
    set(KESTRUNE_ICON_SIZES 16 32 48 64 128 256)
    set(iconSource ${PROJECT_SOURCE_DIR}/assets/icon16.png)
    set(iconDir ${packagingDir}/icons)
    add_executable(kestrune_icon_sizes packaging/icon_sizes.cpp)
    target_link_libraries(kestrune_icon_sizes PRIVATE Qt6::Gui kestrune_warnings)
    set_target_properties(kestrune_icon_sizes PROPERTIES AUTOMOC OFF)
    set(iconFiles "")
    foreach(size IN LISTS KESTRUNE_ICON_SIZES)
        list(APPEND iconFiles ${iconDir}/${size}x${size}.png)
        install(FILES ${iconDir}/${size}x${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${KESTRUNE_APP_ID}.png)
    endforeach()
    add_custom_command(OUTPUT ${iconFiles}
        COMMAND kestrune_icon_sizes ${iconSource} ${iconDir} ${KESTRUNE_ICON_SIZES}
        DEPENDS kestrune_icon_sizes ${iconSource}
        COMMENT "Scaling the icon for the icon theme" VERBATIM)
    add_custom_target(kestrune_icons ALL DEPENDS ${iconFiles})
endif()

# ---- Windows: the program file's icon and version record ----
if(WIN32)
    enable_language(RC)
    set(KESTRUNE_ICON_ICO ${PROJECT_SOURCE_DIR}/assets/icon.ico)
    set(rcVersion "")
    foreach(part IN ITEMS MAJOR MINOR PATCH TWEAK)
        if("${PROJECT_VERSION_${part}}" STREQUAL "")
            list(APPEND rcVersion 0)
        else()
            list(APPEND rcVersion ${PROJECT_VERSION_${part}})
        endif()
    endforeach()
    list(JOIN rcVersion "," KESTRUNE_RC_VERSION)
    list(JOIN rcVersion "." KESTRUNE_RC_VERSION_TEXT)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/kestrune.rc.in ${PROJECT_BINARY_DIR}/generated/kestrune.rc @ONLY)
    set_source_files_properties(${PROJECT_BINARY_DIR}/generated/kestrune.rc PROPERTIES OBJECT_DEPENDS ${KESTRUNE_ICON_ICO})
    target_sources(kestrune PRIVATE ${PROJECT_BINARY_DIR}/generated/kestrune.rc)
endif()

# ---- Packages: cpack --config <build>/CPackConfig.cmake ----
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME "kestrune")
set(CPACK_PACKAGE_VENDOR "Kestrune developers")
set(CPACK_PACKAGE_VERSION "${KESTRUNE_RELEASE_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION} for an online strategy game")
set(CPACK_PACKAGE_DESCRIPTION
    "Type a floor number from 1 to 90 of the game's trial cave, or step through
the floors, and the window shows the order in which to place the four troop
types (mage, cannon, bow, infantry) on that floor. Its texts are Simplified
Chinese.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://${KESTRUNE_SITE_ADDRESS}/")
set(CPACK_PACKAGE_CONTACT "Kestrune developers <kestrune@example.com>")
set(CPACK_STRIP_FILES ON)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(CPACK_GENERATOR "DEB")
else()
    set(CPACK_GENERATOR "ZIP")
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps adds the libraries the program links; the window needs the X11/Wayland platform
# plugins (only recommended by Qt's own packages) and the two Chinese fonts it names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk, fonts-arphic-ukai")
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build/")
include(CPack)
