# GoogleTest built from Debian's source for MinGW, and the helper that registers a Windows test.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)

set(PC1_LOCALE_DIR "" CACHE PATH "Folder holding the compiled tr_TR.UTF-8 locale for Wine (LOCPATH)")

# Every Windows test runs twice: once with Wine's ANSI code page 1254 (Turkish) and once with 1252,
# because visible text must come out right whatever the machine's code page is.
function(pc1_add_windows_test target)
    add_test(NAME ${target}.cp1254 COMMAND ${target})
    set_tests_properties(${target}.cp1254 PROPERTIES
        ENVIRONMENT "LC_ALL=tr_TR.UTF-8;LOCPATH=${PC1_LOCALE_DIR}" ${ARGN})
    add_test(NAME ${target}.cp1252 COMMAND ${target})
    set_tests_properties(${target}.cp1252 PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8" ${ARGN})
endfunction()
