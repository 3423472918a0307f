# cmake -DLUPDATE=<lupdate> -DSOURCE_DIR=<repository> -DWORK_DIR=<scratch folder> -P check_translations.cmake
# Copies each translations/*.ts file to WORK_DIR, runs lupdate over the sources on the copy as
# the update_translations target would (without dropping anything), and fails unless every text
# is finished and no text of the file has vanished from the code.
file(GLOB ts_files "${SOURCE_DIR}/translations/*.ts")
if(NOT ts_files)
    message(FATAL_ERROR "no .ts file under ${SOURCE_DIR}/translations")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(failed FALSE)
foreach(ts IN LISTS ts_files)
    get_filename_component(name "${ts}" NAME)
    file(COPY "${ts}" DESTINATION "${WORK_DIR}")
    execute_process(
        COMMAND "${LUPDATE}" -extensions cpp,h -locations none "${SOURCE_DIR}/src" -ts "${WORK_DIR}/${name}"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${name}:\n${output}")
    endif()
    file(READ "${WORK_DIR}/${name}" updated)
    string(REGEX MATCHALL "type=\"unfinished\"" unfinished "${updated}")
    string(REGEX MATCHALL "type=\"(vanished|obsolete)\"" vanished "${updated}")
    list(LENGTH unfinished unfinished_count)
    list(LENGTH vanished vanished_count)
    message(STATUS "${name}: ${unfinished_count} unfinished, ${vanished_count} vanished")
    if(unfinished_count GREATER 0 OR vanished_count GREATER 0)
        # Name the texts, so the failure says what to translate or drop.
        string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"(unfinished|vanished|obsolete)\"" open "${updated}")
        foreach(entry IN LISTS open)
            message(STATUS "  ${entry}")
        endforeach()
        set(failed TRUE)
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "translations are not complete and current: run the update_translations target and translate")
endif()
