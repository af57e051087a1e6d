# The pure library: everything that needs no Windows header, kept in the folders named here. Both builds compile
# it, natively for the tests and benchmarks and into PC1.exe, so a Windows header reaching any of its files breaks
# the native build.
set(PC1_PURE_DIRS text platform/pure config/pure journal/pure entry/pure exam/pure result/pure hall/pure)
add_library(pure STATIC)
target_include_directories(pure PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_features(pure PUBLIC cxx_std_20)
set(pure_files "")
foreach(dir IN LISTS PC1_PURE_DIRS)
    add_subdirectory(${dir})
    file(GLOB dir_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND pure_files ${dir_files})
endforeach()

# A source of these folders built into another library would escape the native build.
get_target_property(pure_sources pure SOURCES)
foreach(file IN LISTS pure_files)
    if(file MATCHES "\\.cpp$" AND NOT file IN_LIST pure_sources)
        message(FATAL_ERROR "${file} is not a source of the pure library, so the native build never compiles it")
    endif()
endforeach()

# Every folder's includes are checked against one table whenever a file of the program changes, before the pure
# library, which every program and test builds on, compiles.
file(GLOB_RECURSE program_files CONFIGURE_DEPENDS
     LIST_DIRECTORIES false RELATIVE ${PROJECT_SOURCE_DIR}
     ${PROJECT_SOURCE_DIR}/text/*.h ${PROJECT_SOURCE_DIR}/text/*.cpp
     ${PROJECT_SOURCE_DIR}/platform/*.h ${PROJECT_SOURCE_DIR}/platform/*.cpp
     ${PROJECT_SOURCE_DIR}/config/*.h ${PROJECT_SOURCE_DIR}/config/*.cpp
     ${PROJECT_SOURCE_DIR}/journal/*.h ${PROJECT_SOURCE_DIR}/journal/*.cpp
     ${PROJECT_SOURCE_DIR}/hall/*.h ${PROJECT_SOURCE_DIR}/hall/*.cpp
     ${PROJECT_SOURCE_DIR}/entry/*.h ${PROJECT_SOURCE_DIR}/entry/*.cpp
     ${PROJECT_SOURCE_DIR}/result/*.h ${PROJECT_SOURCE_DIR}/result/*.cpp
     ${PROJECT_SOURCE_DIR}/exam/*.h ${PROJECT_SOURCE_DIR}/exam/*.cpp
     ${PROJECT_SOURCE_DIR}/app/*.h ${PROJECT_SOURCE_DIR}/app/*.cpp
     ${PROJECT_SOURCE_DIR}/settings/*.h ${PROJECT_SOURCE_DIR}/settings/*.cpp
     ${PROJECT_SOURCE_DIR}/salon/*.h ${PROJECT_SOURCE_DIR}/salon/*.cpp)
list(TRANSFORM program_files PREPEND ${PROJECT_SOURCE_DIR}/)
set(includes_stamp ${CMAKE_BINARY_DIR}/includes.stamp)
set(includes_check ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake)
add_custom_command(OUTPUT ${includes_stamp}
                   COMMAND ${CMAKE_COMMAND} "-DSOURCE_DIR=${PROJECT_SOURCE_DIR}" "-DFILES=${program_files}"
                           -P ${includes_check}
                   COMMAND ${CMAKE_COMMAND} -E touch ${includes_stamp}
                   DEPENDS ${program_files} ${includes_check}
                   COMMENT "Checking that every folder includes only its own headers and those of folders below it"
                   VERBATIM)
add_custom_target(includes DEPENDS ${includes_stamp})
add_dependencies(pure includes)
