# The supervisor's key sequence is the installation's secret: six different decimal digits, set with
# -DPC1_SUPERVISOR_SEQUENCE=...... at configure time. A build tree given none draws its own at random once
# and keeps it in its cache.
set(PC1_SUPERVISOR_SEQUENCE "" CACHE STRING "Supervisor key sequence: six different decimal digits, typed with Alt held")

if(PC1_SUPERVISOR_SEQUENCE STREQUAL "")
    set(remaining 0123456789)
    set(drawn "")
    foreach(i RANGE 5)
        string(RANDOM LENGTH 1 ALPHABET "${remaining}" digit)
        string(APPEND drawn "${digit}")
        string(REPLACE "${digit}" "" remaining "${remaining}")
    endforeach()
    set(PC1_SUPERVISOR_SEQUENCE "${drawn}" CACHE STRING
        "Supervisor key sequence: six different decimal digits, typed with Alt held" FORCE)
    message(STATUS "No supervisor key sequence given; this build tree drew its own (see PC1_SUPERVISOR_SEQUENCE in "
                   "${CMAKE_BINARY_DIR}/CMakeCache.txt)")
endif()

if(NOT PC1_SUPERVISOR_SEQUENCE MATCHES "^[0-9][0-9][0-9][0-9][0-9][0-9]$")
    message(FATAL_ERROR "PC1_SUPERVISOR_SEQUENCE must be exactly six decimal digits")
endif()
set(PC1_SUPERVISOR_DIGITS "")
foreach(i RANGE 5)
    string(SUBSTRING "${PC1_SUPERVISOR_SEQUENCE}" ${i} 1 digit)
    if("${PC1_SUPERVISOR_DIGITS}" MATCHES "${digit}")
        message(FATAL_ERROR "PC1_SUPERVISOR_SEQUENCE must use six different digits")
    endif()
    list(APPEND PC1_SUPERVISOR_DIGITS ${digit})
endforeach()
list(JOIN PC1_SUPERVISOR_DIGITS ", " PC1_SUPERVISOR_DIGITS)
configure_file(${PROJECT_SOURCE_DIR}/exam/SupervisorDigits.h.in ${CMAKE_BINARY_DIR}/generated/exam/SupervisorDigits.h)
