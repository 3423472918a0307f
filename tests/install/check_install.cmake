# cmake -DBUILD_DIR=... -DPREFIX=... -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -DVERSION=...
#       -P check_install.cmake
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
    message("desktop-file-validate or appstreamcli is not installed: skipped")
    cmake_language(EXIT 77)
endif()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${result}):\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}")

set(id com.quorran.Kelbrix)
foreach(file IN ITEMS
        bin/kelbrix
        share/applications/${id}.desktop
        share/icons/hicolor/scalable/apps/${id}.svg
        share/metainfo/${id}.metainfo.xml
        share/mime/packages/${id}.xml
        share/man/man1/kelbrix.1.gz
        share/doc/kelbrix/copyright
        share/doc/kelbrix/changelog.gz
        share/doc/kelbrix/help/Barcode.html
        share/doc/kelbrix/help/contexts.html
        share/doc/kelbrix/help/sv/Barcode.html
        share/doc/kelbrix/help/sv/contexts.html)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

run(${DESKTOP_FILE_VALIDATE} "${PREFIX}/share/applications/${id}.desktop")
run(${APPSTREAMCLI} validate --no-net "${PREFIX}/share/metainfo/${id}.metainfo.xml")

# The launcher hands the file to the program, and names the list type that the MIME entry
# defines for both list extensions.
file(READ "${PREFIX}/share/applications/${id}.desktop" desktop)
file(READ "${PREFIX}/share/mime/packages/${id}.xml" mime)
if(NOT desktop MATCHES "\nExec=kelbrix %f\n" OR NOT desktop MATCHES "\nMimeType=application/x-kelbrix-list;\n")
    message(FATAL_ERROR "the launcher does not open list files:\n${desktop}")
endif()
if(NOT mime MATCHES "type=\"application/x-kelbrix-list\"" OR NOT mime MATCHES "\\*\\.qz2" OR NOT mime MATCHES "\\*\\.qzl")
    message(FATAL_ERROR "the MIME entry does not cover *.qz2 and *.qzl:\n${mime}")
endif()

run("${PREFIX}/bin/kelbrix" --version)
if(NOT out STREQUAL "kelbrix ${VERSION}\n")
    message(FATAL_ERROR "the installed program printed '${out}' for --version")
endif()
