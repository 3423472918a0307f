# kelbrix_library(<name> [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# One static library per folder under src/, built from every source file in that folder.
function(kelbrix_library name)
    cmake_parse_arguments(ARG "" "" "PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
        "${CMAKE_CURRENT_SOURCE_DIR}/*.h"
        "${CMAKE_CURRENT_SOURCE_DIR}/*.qrc")
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    add_library(kelbrix_${name} STATIC ${sources})
    target_include_directories(kelbrix_${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(kelbrix_${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
    kelbrix_compile_options(kelbrix_${name})
endfunction()

function(kelbrix_compile_options target)
    target_compile_definitions(${target} PUBLIC
        QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
        KELBRIX_EDITION_DEFAULT="${KELBRIX_EDITION}"
        KELBRIX_VERSION="${PROJECT_VERSION}"
        KELBRIX_HOMEPAGE="${KELBRIX_HOMEPAGE}")
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra)
    endif()
endfunction()

# kelbrix_tests(<folder> LIBS ...)
# Every tests/<folder>/tst_*.cpp becomes one QtTest executable, registered with CTest.
# Widget tests need no display: CTest runs them on Qt's offscreen platform.
function(kelbrix_tests folder)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp")
    foreach(test_source IN LISTS tests)
        get_filename_component(test_name "${test_source}" NAME_WE)
        set(target "${folder}_${test_name}")
        add_executable(${target} "${test_source}")
        target_link_libraries(${target} PRIVATE kelbrix_testsupport ${ARG_LIBS} Qt6::Test)
        kelbrix_compile_options(${target})
        add_test(NAME "${folder}/${test_name}" COMMAND ${target})
        set_tests_properties("${folder}/${test_name}" PROPERTIES
            TIMEOUT 300
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KELBRIX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-${test_name};XDG_CACHE_HOME=${CMAKE_CURRENT_BINARY_DIR}/cache-${test_name}")
    endforeach()
endfunction()
