# `cpack -G DEB` builds a Debian package of the program. Its dependencies are found by
# dpkg-shlibdeps from the libraries the program links. Qt's X11 platform plugin comes with
# libqt6gui6; the SVG plugins that draw the toolbar icons are loaded at run time and no linker
# sees them, so their package is named here.
set(CPACK_PACKAGE_NAME kelbrix)
set(CPACK_PACKAGE_VENDOR "Quorran")
set(CPACK_PACKAGE_CONTACT "${KELBRIX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make retail barcodes, labels, barcode lists and TIFF files")
# Lines of the extended description stay under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Kelbrix makes EAN-13, EAN-8, UPC-A, UPC-E, ISBN, SCC-14 and Code 39
barcodes with 2- and 5-digit supplements, and the labels, barcode lists,
bitmaps and 1-bit TIFF files that carry them.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")

include(CPack)
