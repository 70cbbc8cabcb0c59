# Builds the wasm preset (build/wasm) for a native build: TARGETS, comma-separated, or all of it
# when none, with MANUAL_HTML, that build's zelvar-manual-html, making the page's manual. It is
# configured first where it is not yet, or for another native build's manual maker.
#   cmake -DMANUAL_HTML=PATH [-DTARGETS=a,b] -P wasm_build.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(source ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)

set(configured "")
if(EXISTS ${source}/build/wasm/CMakeCache.txt)
    file(STRINGS ${source}/build/wasm/CMakeCache.txt configured REGEX "^ZELVAR_MANUAL_HTML:")
    string(REGEX REPLACE "^[^=]*=" "" configured "${configured}")
endif()
if(NOT "${configured}" STREQUAL "${MANUAL_HTML}")
    execute_process(COMMAND ${CMAKE_COMMAND} --preset wasm -DZELVAR_MANUAL_HTML=${MANUAL_HTML}
                    WORKING_DIRECTORY ${source} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()

set(targets "")
if(TARGETS)
    string(REPLACE "," ";" targets "--target;${TARGETS}")
endif()
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
execute_process(COMMAND ${CMAKE_COMMAND} --build --preset wasm --parallel ${cores} ${targets}
                WORKING_DIRECTORY ${source} COMMAND_ERROR_IS_FATAL ANY)
