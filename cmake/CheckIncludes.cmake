# Run by the build (cmake -P) over the program's files, FILES: each folder includes its own headers and those of the
# folders below it that the table names, nothing above or beside it. A pure folder's files (text/ and every
# .../pure/) include besides only the standard library's headers: a Windows header breaks the native build anyway,
# but a platform header that itself needs none, such as Cp1254.h, would compile natively and leave its functions
# undefined there, found only by a link that happens to need them. SOURCE_DIR is the project's root.
cmake_minimum_required(VERSION 3.25)

set(rules
    "text:"
    "platform/pure:text"
    "platform:platform/pure text"
    "config/pure:platform/pure text"
    "config:config/pure platform platform/pure text"
    "journal/pure:platform/pure text"
    "journal:journal/pure platform platform/pure text"
    "hall/pure:result/pure config/pure platform/pure text"
    "hall:hall/pure platform platform/pure text"
    "entry/pure:config/pure platform/pure text"
    "entry:entry/pure config config/pure platform platform/pure text"
    "result/pure:config/pure platform/pure text"
    "result:result/pure config config/pure platform platform/pure text"
    "exam/pure:hall/pure result/pure journal/pure config/pure platform/pure text"
    "exam:exam/pure hall hall/pure entry entry/pure result result/pure journal journal/pure config config/pure platform platform/pure text"
    "app:exam exam/pure hall hall/pure entry entry/pure result result/pure journal journal/pure config config/pure platform platform/pure text"
    "settings:result result/pure config config/pure platform platform/pure text"
    "salon:hall hall/pure result result/pure config config/pure platform platform/pure text")

set(refused "")
foreach(file IN LISTS FILES)
    file(RELATIVE_PATH relative ${SOURCE_DIR} ${file})
    get_filename_component(folder ${relative} DIRECTORY)
    set(allowed "")
    set(known FALSE)
    foreach(rule IN LISTS rules)
        string(REPLACE ":" ";" parts "${rule}")
        list(GET parts 0 rule_folder)
        if(rule_folder STREQUAL folder)
            set(known TRUE)
            list(LENGTH parts count)
            if(count GREATER 1)
                list(GET parts 1 below)
                string(REPLACE " " ";" allowed "${below}")
            endif()
        endif()
    endforeach()
    if(NOT known)
        string(APPEND refused "\n  ${relative}: its folder ${folder} has no line in cmake/CheckIncludes.cmake")
        continue()
    endif()
    list(APPEND allowed ${folder})
    set(pure FALSE)
    if(folder STREQUAL "text" OR folder MATCHES "/pure$")
        set(pure TRUE)
    endif()
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "[<\"]([^>\"]*)" delimited "${line}")
        set(name ${CMAKE_MATCH_1})
        if(delimited MATCHES "^<")
            # The standard library's headers have no extension and no folder: <windows.h> or <gtest/gtest.h> have.
            if(pure AND NOT name MATCHES "^[a-z_]+$")
                string(APPEND refused "\n  ${relative} includes ${name}, which is not the standard library's")
            endif()
            continue()
        endif()
        get_filename_component(included_folder ${name} DIRECTORY)
        if(NOT included_folder IN_LIST allowed)
            string(APPEND refused "\n  ${relative} includes ${name}: ${folder}/ may not include ${included_folder}/")
        endif()
    endforeach()
endforeach()
if(refused)
    message(FATAL_ERROR "Includes that point up or sideways:${refused}")
endif()
