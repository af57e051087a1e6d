# The supervisor's sequence that this build tree's tests set in the installations they make: six different decimal
# digits, -DPC1_SUPERVISOR_SEQUENCE=...... at configure time, or drawn at random once and kept in the cache. It
# reaches only the tests (tests/win/TestSequence.cpp) and the scripts that read the cache: no program is built with
# it, and the release is scanned for it.
set(PC1_SUPERVISOR_SEQUENCE "" CACHE STRING "The tests' supervisor key sequence: six different decimal digits")

if(PC1_SUPERVISOR_SEQUENCE STREQUAL "")
    set(remaining 0123456789)
    set(drawn "")
    foreach(i RANGE 5)
        string(RANDOM LENGTH 1 ALPHABET "${remaining}" digit)
        string(APPEND drawn "${digit}")
        string(REPLACE "${digit}" "" remaining "${remaining}")
    endforeach()
    set(PC1_SUPERVISOR_SEQUENCE "${drawn}" CACHE STRING
        "The tests' supervisor key sequence: six different decimal digits" FORCE)
    message(STATUS "No supervisor key sequence given; this build tree's tests use one drawn at random (see "
                   "PC1_SUPERVISOR_SEQUENCE in ${CMAKE_BINARY_DIR}/CMakeCache.txt)")
endif()

if(NOT PC1_SUPERVISOR_SEQUENCE MATCHES "^[0-9][0-9][0-9][0-9][0-9][0-9]$")
    message(FATAL_ERROR "PC1_SUPERVISOR_SEQUENCE must be exactly six decimal digits")
endif()
foreach(i RANGE 4)
    string(SUBSTRING "${PC1_SUPERVISOR_SEQUENCE}" ${i} 1 digit)
    math(EXPR next "${i} + 1")
    string(SUBSTRING "${PC1_SUPERVISOR_SEQUENCE}" ${next} -1 rest)
    if("${rest}" MATCHES "${digit}")
        message(FATAL_ERROR "PC1_SUPERVISOR_SEQUENCE must use six different digits")
    endif()
endforeach()
