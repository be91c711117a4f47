# The rule every layer check holds: a file includes only its own folder and the layers below it.
#
# trasa_check_layers(<source dir> <root> <layers...>)
#   <root>    the folder checked, e.g. "app" or "engine/search"
#   <layers>  lowest first; one entry a rank. Folders of one rank are written "a+b+c": they stand
#             side by side, so none of them may include another.
# Fails naming each file that includes a folder above its own (or a sibling), and each file of
# <root> that lies in no layer.

# Sets <out_rank> and <out_folder> to the rank and the folder of a path below <root>, or -1.
function(_trasa_layer_of path layers out_rank out_folder)
    set(_rank 0)
    foreach(entry ${layers})
        string(REPLACE "+" ";" _folders "${entry}")
        foreach(folder ${_folders})
            string(LENGTH "${folder}/" _len)
            string(SUBSTRING "${path}" 0 ${_len} _head)
            if(_head STREQUAL "${folder}/")
                set(${out_rank} ${_rank} PARENT_SCOPE)
                set(${out_folder} ${folder} PARENT_SCOPE)
                return()
            endif()
        endforeach()
        math(EXPR _rank "${_rank} + 1")
    endforeach()
    set(${out_rank} -1 PARENT_SCOPE)
    set(${out_folder} "" PARENT_SCOPE)
endfunction()

function(trasa_check_layers source_dir root)
    set(_layers ${ARGN})
    file(GLOB_RECURSE _files RELATIVE ${source_dir}/${root} ${source_dir}/${root}/*.h ${source_dir}/${root}/*.cpp)
    set(_faults "")
    foreach(file ${_files})
        _trasa_layer_of("${file}" "${_layers}" _own _own_folder)
        if(_own LESS 0)
            string(APPEND _faults "  ${root}/${file}: lies in no layer\n")
            continue()
        endif()
        file(STRINGS ${source_dir}/${root}/${file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"${root}/")
        foreach(line ${_includes})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"${root}/([^\"]*)\".*" "\\1" _target "${line}")
            _trasa_layer_of("${_target}" "${_layers}" _theirs _their_folder)
            if(_theirs LESS 0 OR _theirs GREATER _own
               OR (_theirs EQUAL _own AND NOT _their_folder STREQUAL _own_folder))
                string(APPEND _faults "  ${root}/${file} includes ${root}/${_target}\n")
            endif()
        endforeach()
    endforeach()
    string(REPLACE ";" " < " _order "${_layers}")
    if(_faults)
        message(FATAL_ERROR "A layer of ${root}/ uses one above it or beside it (order: ${_order}):\n${_faults}")
    endif()
    list(LENGTH _files _count)
    message(STATUS "Layers of ${root}/: ${_count} files include only their own layer and those below")
endfunction()
