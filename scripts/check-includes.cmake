# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when an #include "folder/..." crosses an edge that src/layers.cmake does not allow, or
# when the table itself would let two folders use each other. A header-only include never fails
# a link, so the libraries alone cannot catch it.
#   cmake -P scripts/check-includes.cmake
# A file of src/FOLDER may include FOLDER and the folders the table says it may use. A test of
# tests/FOLDER may include, of src/ or of tests/, FOLDER and every folder its library links (the
# uses of its uses too), the tests' support and the simulator. The folder of a path is the
# longest run of its leading directories that the table names.
cmake_minimum_required(VERSION 3.25)
get_filename_component(root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

set(qt_levels NONE Gui Widgets)
set(folders "")
set(faults "")

function(somvix_folder folder qt)
    list(FIND qt_levels ${qt} level)
    if(level LESS 0)
        list(APPEND faults "src/layers.cmake: ${folder}: no Qt module ${qt}")
    endif()
    set(below ${ARGN})
    foreach(use IN LISTS ARGN)
        list(APPEND below ${below_${use}})
        if(NOT use IN_LIST folders)
            list(APPEND faults "src/layers.cmake: ${folder} uses ${use}, which the table lists only after it")
        elseif(level_${use} GREATER level)
            list(APPEND faults "src/layers.cmake: ${folder} (${qt}) uses ${use}, above its own Qt module")
        endif()
    endforeach()
    list(APPEND folders ${folder})
    set(folders "${folders}" PARENT_SCOPE)
    set(faults "${faults}" PARENT_SCOPE)
    set(level_${folder} ${level} PARENT_SCOPE)
    set(uses_${folder} ${ARGN} PARENT_SCOPE)
    list(REMOVE_DUPLICATES below)
    set(below_${folder} ${below} PARENT_SCOPE)
endfunction()

# A folder that holds a program and no library keeps to the same table.
macro(somvix_program)
    somvix_folder(${ARGV})
endmacro()

include(${root}/src/layers.cmake)

# The folder of the table that holds path (relative, with its file name), or nothing.
function(folder_of path result)
    get_filename_component(directory "${path}" DIRECTORY)
    while(directory)
        if(directory IN_LIST folders)
            set(${result} ${directory} PARENT_SCOPE)
            return()
        endif()
        get_filename_component(directory "${directory}" DIRECTORY)
    endwhile()
    set(${result} "" PARENT_SCOPE)
endfunction()

set(checked 0)
foreach(tree src tests)
    file(GLOB_RECURSE sources RELATIVE ${root}/${tree} ${root}/${tree}/*.h ${root}/${tree}/*.cpp)
    foreach(source IN LISTS sources)
        folder_of(${source} folder)
        if(NOT folder)
            if(tree STREQUAL "src")
                list(APPEND faults "src/${source}: in no folder of src/layers.cmake")
            endif()
            continue()  # the tests' support, the simulator's tests, the fault suite, fuzz targets
        endif()
        if(tree STREQUAL "src")
            set(allowed ${folder} ${uses_${folder}})
        else()
            set(allowed ${folder} ${below_${folder}} support sim)
        endif()
        file(STRINGS ${root}/${tree}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
        foreach(line IN LISTS lines)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
            folder_of(${included} target)
            if(NOT target)
                string(REGEX REPLACE "/.*" "" target "${included}")
            endif()
            if(NOT target IN_LIST allowed)
                list(APPEND faults "${tree}/${source}: includes \"${included}\": ${folder} may not use ${target}")
            endif()
        endforeach()
        math(EXPR checked "${checked} + 1")
    endforeach()
endforeach()

list(LENGTH faults count)
if(count GREATER 0)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "${text}\ncheck-includes: ${count} includes or uses cross the layers")
endif()
list(LENGTH folders folderCount)
message(STATUS "check-includes: ${checked} files keep to the ${folderCount} folders' layers")
