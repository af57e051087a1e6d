# GoogleTest built from Debian's source for MinGW, and the helper that registers a Windows test.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)

set(PC1_LOCALE_DIR "" CACHE PATH "Folder holding the compiled tr_TR.UTF-8 locale for Wine (LOCPATH)")

# Every Windows test runs twice: once with Wine's ANSI code page 1254 (Turkish) and once with 1252,
# because visible text must come out right whatever the machine's code page is. Each takes a prefix of its own for
# its run, with its display (the resource wine_prefix, which ./test provides), beside the other tests.
function(pc1_add_windows_test target)
    set(run bash ${PROJECT_SOURCE_DIR}/tests/win/in-prefix-slot.sh $<TARGET_FILE:${target}>)
    add_test(NAME ${target}.cp1254 COMMAND ${run})
    set_tests_properties(${target}.cp1254 PROPERTIES
        ENVIRONMENT "LC_ALL=tr_TR.UTF-8;LOCPATH=${PC1_LOCALE_DIR}" RESOURCE_GROUPS wine_prefix:1 ${ARGN})
    add_test(NAME ${target}.cp1252 COMMAND ${run})
    set_tests_properties(${target}.cp1252 PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" RESOURCE_GROUPS wine_prefix:1 ${ARGN})
endfunction()
