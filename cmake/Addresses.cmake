# The maker's web site (end of the window title) and forum host (link buttons and the intro text).
# The defaults are reserved example domains until real hosts are known.
set(KESTRUNE_SITE_ADDRESS "www.example.com" CACHE STRING "Maker's web-site address shown in the window title")
set(KESTRUNE_FORUM_HOST "bbs.example.com" CACHE STRING "Maker's forum host, opened over http")
foreach(address IN ITEMS "${KESTRUNE_SITE_ADDRESS}" "${KESTRUNE_FORUM_HOST}")
    if(NOT address MATCHES "^[A-Za-z0-9.-]+$")
        message(FATAL_ERROR "Addresses must be plain host names, got '${address}'")
    endif()
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/ui/addresses.h.in ${PROJECT_BINARY_DIR}/generated/addresses.h @ONLY)
