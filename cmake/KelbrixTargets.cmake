# kelbrix_library(<name> SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# One static library per folder under src/, built from the sources it lists.
function(kelbrix_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(kelbrix_${name} STATIC ${ARG_SOURCES})
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
        if(KELBRIX_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()

# Under the sanitizers the allocator returns null instead of aborting, so the tests that cap
# the address space see the program's own out-of-memory handling; leak checks are off
# because Qt keeps some allocations for the life of the process on purpose.
if(KELBRIX_SANITIZE)
    set(KELBRIX_SANITIZER_TEST_ENV "ASAN_OPTIONS=allocator_may_return_null=1:detect_leaks=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

# The fontconfig file under which tests run a second time with one system font.
set(KELBRIX_ONE_FONT_CACHE "${PROJECT_BINARY_DIR}/one-system-font-cache")
configure_file("${CMAKE_CURRENT_LIST_DIR}/one_system_font.conf.in" "${PROJECT_BINARY_DIR}/one_system_font.conf" @ONLY)

# kelbrix_tests(<folder> TESTS tst_a tst_b ... LIBS ... [ONE_FONT tst_a ...])
# Each listed tests/<folder>/tst_*.cpp becomes one QtTest executable, registered with CTest.
# Widget tests need no display: CTest runs them on Qt's offscreen platform. The tests named
# under ONE_FONT compare pixels of text: they run once more with every system font hidden but
# one, to show that their results come from the fonts kept with the tests.
function(kelbrix_tests folder)
    cmake_parse_arguments(ARG "" "" "TESTS;LIBS;ONE_FONT" ${ARGN})
    foreach(test_name IN LISTS ARG_TESTS)
        set(test_source "${CMAKE_CURRENT_SOURCE_DIR}/${test_name}.cpp")
        set(target "${folder}_${test_name}")
        add_executable(${target} "${test_source}")
        target_link_libraries(${target} PRIVATE kelbrix_testsupport ${ARG_LIBS} Qt6::Test)
        kelbrix_compile_options(${target})
        add_test(NAME "${folder}/${test_name}" COMMAND ${target})
        set_tests_properties("${folder}/${test_name}" PROPERTIES
            TIMEOUT 300
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KELBRIX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-${test_name};XDG_CACHE_HOME=${CMAKE_CURRENT_BINARY_DIR}/cache-${test_name};${KELBRIX_SANITIZER_TEST_ENV}")
        if(test_name IN_LIST ARG_ONE_FONT)
            add_test(NAME "${folder}/${test_name}_one_system_font" COMMAND ${target})
            set_tests_properties("${folder}/${test_name}_one_system_font" PROPERTIES
                TIMEOUT 300
                ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${PROJECT_BINARY_DIR}/one_system_font.conf;KELBRIX_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/config-${test_name}-one-font;XDG_CACHE_HOME=${CMAKE_CURRENT_BINARY_DIR}/cache-${test_name}-one-font;${KELBRIX_SANITIZER_TEST_ENV}")
        endif()
    endforeach()
endfunction()
