# jz_compile(<target> <source.json> <output.jz>)
# Compiles a readable timetable description into a timetable file at build time.
function(jz_compile target source output)
    add_custom_command(
        OUTPUT ${output}
        COMMAND jzc ${source} -o ${output}
        DEPENDS jzc ${source}
        COMMENT "Compiling timetable ${source}"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

# trasa_glob_sources(<var> <dir>): the .cpp files of one folder.
# Folders hold one concept per file; new files join their folder's target without editing lists.
function(trasa_glob_sources var dir)
    file(GLOB _files CONFIGURE_DEPENDS ${dir}/*.cpp)
    set(${var} ${_files} PARENT_SCOPE)
endfunction()

# trasa_test_binary(<name> <dir> <libs...>): one GoogleTest binary per test folder.
function(trasa_test_binary name dir)
    file(GLOB _files CONFIGURE_DEPENDS ${dir}/*_test.cpp)
    if(NOT _files)
        return()
    endif()
    add_executable(${name} ${_files})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        TRASA_FIXTURE_DIR="${CMAKE_BINARY_DIR}/fixtures"
        TRASA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
