# TurboJPEG, linked statically so the decoder is part of the program.
find_path(TURBOJPEG_INCLUDE_DIR turbojpeg.h REQUIRED)
find_library(TURBOJPEG_STATIC_LIBRARY NAMES libturbojpeg.a REQUIRED)
add_library(TurboJpeg::static STATIC IMPORTED)
set_target_properties(TurboJpeg::static PROPERTIES
    IMPORTED_LOCATION "${TURBOJPEG_STATIC_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${TURBOJPEG_INCLUDE_DIR}")
