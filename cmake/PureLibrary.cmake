# The pure library: everything that needs no Windows header, kept in the folders named here. Both builds compile
# it, natively for the tests and benchmarks and into PC1.exe, so a Windows header reaching any of its files breaks
# the native build.
set(PC1_PURE_DIRS text platform/pure entry/pure exam/pure result/pure app/pure)
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

# Their includes are checked whenever one of them changes, before the library compiles.
set(pure_stamp ${CMAKE_BINARY_DIR}/pure_includes.stamp)
set(pure_check ${PROJECT_SOURCE_DIR}/cmake/CheckPureIncludes.cmake)
add_custom_command(OUTPUT ${pure_stamp}
                   COMMAND ${CMAKE_COMMAND} "-DDIRS=${PC1_PURE_DIRS}" "-DFILES=${pure_files}" -P ${pure_check}
                   COMMAND ${CMAKE_COMMAND} -E touch ${pure_stamp}
                   DEPENDS ${pure_files} ${pure_check}
                   COMMENT "Checking that the pure library includes only its own headers and the standard library's"
                   VERBATIM)
add_custom_target(pure_includes DEPENDS ${pure_stamp})
add_dependencies(pure pure_includes)
