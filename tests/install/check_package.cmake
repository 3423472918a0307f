# cmake -DBUILD_DIR=... -DOUT=... -DCPACK=... -DLINTIAN=... -P check_package.cmake
if(NOT LINTIAN)
    message("lintian is not installed: skipped")
    cmake_language(EXIT 77)
endif()

file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND ${CPACK} -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${OUT}"
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB packages "${OUT}/*.deb")
if(NOT result EQUAL 0 OR NOT packages)
    message(FATAL_ERROR "cpack made no package (${result}):\n${out}${err}")
endif()

execute_process(COMMAND ${LINTIAN} ${packages} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
message("${out}${err}")
if(out MATCHES "(^|\n)[EW]: " OR NOT result EQUAL 0)
    message(FATAL_ERROR "lintian found errors or warnings in ${packages} (${result})")
endif()
