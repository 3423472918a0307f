# Finds every library the program stands on. When one is missing, configuration stops and
# names the Debian package that provides it.

find_package(Qt6 QUIET COMPONENTS Core Gui Widgets PrintSupport Concurrent Svg Test)
foreach(component IN ITEMS Core Gui Widgets PrintSupport Concurrent Test)
    if(NOT TARGET Qt6::${component})
        message(FATAL_ERROR "Qt 6 ${component} was not found. Install it with: apt-get install qt6-base-dev")
    endif()
endforeach()
if(NOT TARGET Qt6::Svg)
    message(FATAL_ERROR "Qt 6 Svg was not found. Install it with: apt-get install qt6-svg-dev")
endif()
# lupdate and lrelease build the translations into the program.
find_package(Qt6 QUIET COMPONENTS LinguistTools)
if(NOT TARGET Qt6::lupdate OR NOT TARGET Qt6::lrelease)
    message(FATAL_ERROR "Qt 6 LinguistTools was not found. Install it with: apt-get install qt6-tools-dev qt6-l10n-tools")
endif()

find_path(ZINT_INCLUDE_DIR zint.h)
find_library(ZINT_LIBRARY NAMES zint)
if(NOT ZINT_INCLUDE_DIR OR NOT ZINT_LIBRARY)
    message(FATAL_ERROR "libzint was not found. Install it with: apt-get install libzint-dev")
endif()
add_library(Kelbrix::Zint UNKNOWN IMPORTED)
set_target_properties(Kelbrix::Zint PROPERTIES
    IMPORTED_LOCATION "${ZINT_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${ZINT_INCLUDE_DIR}")

find_package(TIFF QUIET)
if(NOT TIFF_FOUND)
    message(FATAL_ERROR "libtiff was not found. Install it with: apt-get install libtiff-dev")
endif()

# zbar reads every label back, in the program and in the tests.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
    pkg_check_modules(ZBAR QUIET IMPORTED_TARGET GLOBAL zbar)
endif()
if(NOT ZBAR_FOUND)
    message(FATAL_ERROR "libzbar was not found. Install it with: apt-get install libzbar-dev pkg-config")
endif()
add_library(Kelbrix::Zbar ALIAS PkgConfig::ZBAR)

# ZXing-C++ reads back the labels zbar cannot read (UPC-E of number system 1).
find_package(ZXing 1.4 QUIET)
if(NOT ZXing_FOUND)
    message(FATAL_ERROR "ZXing-C++ was not found. Install it with: apt-get install libzxing-dev")
endif()
