# Fails when a file of the program includes a folder above its own layer.
#
#   cmake -DSOURCE_DIR=<repository> -P tests/app/LayerCheck.cmake
#
# The layers of app/, lowest first; each may include only itself and the layers before it:
#   core              what the program knows and does without a window
#   shell             the building blocks of every view
#   screens/progress  the progress view with the loading, search and download threads
#   screens/other     settings, data, stop-timetable and navigation screens
#   screens/search    the journey-search screens (they open stop timetables and updates)
#   program           entry and life, the main frame and tabs, the start-up steps
if(NOT SOURCE_DIR)
    message(FATAL_ERROR "LayerCheck: pass -DSOURCE_DIR=<repository>")
endif()

set(_layers core shell screens/progress screens/other screens/search program)

# The rank of the layer that holds a path below app/ (the path without "app/"), or -1.
function(_layer_rank path out)
    set(_rank 0)
    foreach(layer ${_layers})
        string(LENGTH "${layer}/" _len)
        string(SUBSTRING "${path}" 0 ${_len} _head)
        if(_head STREQUAL "${layer}/")
            set(${out} ${_rank} PARENT_SCOPE)
            return()
        endif()
        math(EXPR _rank "${_rank} + 1")
    endforeach()
    set(${out} -1 PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE _files RELATIVE ${SOURCE_DIR}/app ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp)
set(_faults "")
foreach(file ${_files})
    _layer_rank("${file}" _own)
    if(_own LESS 0)
        string(APPEND _faults "  app/${file}: lies in no layer (${_layers})\n")
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/app/${file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"app/")
    foreach(line ${_includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"app/([^\"]*)\".*" "\\1" _target "${line}")
        _layer_rank("${_target}" _theirs)
        if(_theirs LESS 0 OR _theirs GREATER _own)
            string(APPEND _faults "  app/${file} includes app/${_target}\n")
        endif()
    endforeach()
endforeach()

if(_faults)
    message(FATAL_ERROR "A layer of the program uses one above it (order: ${_layers}):\n${_faults}")
endif()
list(LENGTH _files _count)
message(STATUS "LayerCheck: ${_count} files of app/ include only their own layer and those below")
