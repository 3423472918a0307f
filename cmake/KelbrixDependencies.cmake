# Finds every library the program stands on. When one is missing, configuration stops and
# names the Debian package that provides it.

find_package(Qt6 QUIET COMPONENTS Core Gui Widgets PrintSupport Svg Test)
foreach(component IN ITEMS Core Gui Widgets PrintSupport Test)
    if(NOT TARGET Qt6::${component})
        message(FATAL_ERROR "Qt 6 ${component} was not found. Install it with: apt-get install qt6-base-dev")
    endif()
endforeach()
if(NOT TARGET Qt6::Svg)
    message(FATAL_ERROR "Qt 6 Svg was not found. Install it with: apt-get install qt6-svg-dev")
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

if(KELBRIX_BUILD_TESTS)
    find_path(ZBAR_INCLUDE_DIR zbar.h)
    find_library(ZBAR_LIBRARY NAMES zbar)
    if(NOT ZBAR_INCLUDE_DIR OR NOT ZBAR_LIBRARY)
        message(FATAL_ERROR "libzbar (needed by the tests) was not found. Install it with: apt-get install libzbar-dev")
    endif()
    add_library(Kelbrix::Zbar UNKNOWN IMPORTED)
    set_target_properties(Kelbrix::Zbar PROPERTIES
        IMPORTED_LOCATION "${ZBAR_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${ZBAR_INCLUDE_DIR}")
endif()
