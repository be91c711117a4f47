# Fails when a source of the program or of its platform writes a Czech or Slovak text as a
# literal: what a screen shows comes from the string tables and menus of the running language.
#
#   cmake -DSOURCE_DIR=<repository> -P tests/app/LiteralTextCheck.cmake
#
# A literal counts when it holds a letter with a diacritic, written as it is or as a \u escape.
# Left out are the tables of letters themselves (the code page, the diacritics, the keys of the
# input panel) and the platform's demos.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR)
    message(FATAL_ERROR "LiteralTextCheck: pass -DSOURCE_DIR=<repository>")
endif()

set(_letters "áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽľĺŕôäĽĹŔÔÄ")
set(_exempt app/core/Cp1250.cpp app/core/Diacritics.cpp
            platform/shell/InputPanelKeys.cpp)
file(GLOB_RECURSE _files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp
     ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp)
set(_faults "")
foreach(file ${_files})
    if(file IN_LIST _exempt OR file MATCHES "^platform/backends/demo/")
        continue()
    endif()
    file(STRINGS ${SOURCE_DIR}/${file} _lines ENCODING UTF-8
         REGEX "u\"[^\"]*([${_letters}]|\\\\u00[C-Fc-f][0-9A-Fa-f]|\\\\u01[0-7][0-9A-Fa-f])")
    foreach(line ${_lines})
        string(STRIP "${line}" line)
        if(line MATCHES "^//")
            continue()
        endif()
        string(APPEND _faults "  ${file}: ${line}\n")
    endforeach()
endforeach()

if(_faults)
    message(FATAL_ERROR "Texts written in the code instead of the string tables:\n${_faults}")
endif()
list(LENGTH _files _count)
message(STATUS "LiteralTextCheck: none of the ${_count} sources of app/ and platform/ writes a text")
