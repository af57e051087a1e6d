# libjpeg for the Windows target. Debian ships no MinGW build of it, so it is built once from Debian's
# own source package (apt-get source) and cached in the build tree; later configures reuse it.
# The SIMD decoder (assembled with nasm) decodes the screen-sized backdrop in half the time, and that decode
# lies on the way to the first window on screen. The cached build is redone when these options change.
set(PC1_JPEG_ROOT ${CMAKE_BINARY_DIR}/_deps/libjpeg)
set(PC1_JPEG_LIB ${PC1_JPEG_ROOT}/install/lib/libjpeg.a)
set(PC1_JPEG_OPTIONS -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DWITH_TURBOJPEG=OFF)
set(PC1_JPEG_STAMP ${PC1_JPEG_ROOT}/options.txt)
if(EXISTS ${PC1_JPEG_STAMP})
    file(READ ${PC1_JPEG_STAMP} built_options)
endif()

if(NOT EXISTS ${PC1_JPEG_LIB} OR NOT built_options STREQUAL "${PC1_JPEG_OPTIONS}")
    message(STATUS "Building libjpeg-turbo for Windows from Debian's source package")
    file(REMOVE_RECURSE ${PC1_JPEG_ROOT})
    file(MAKE_DIRECTORY ${PC1_JPEG_ROOT}/src)
    execute_process(COMMAND apt-get source -qq libjpeg-turbo
                    WORKING_DIRECTORY ${PC1_JPEG_ROOT}/src
                    RESULT_VARIABLE rc OUTPUT_QUIET)
    file(GLOB jpeg_source_dir LIST_DIRECTORIES true ${PC1_JPEG_ROOT}/src/libjpeg-turbo-*)
    list(FILTER jpeg_source_dir EXCLUDE REGEX "\\.(tar|dsc|orig)")
    if(NOT rc EQUAL 0 OR NOT jpeg_source_dir)
        message(FATAL_ERROR "apt-get source libjpeg-turbo failed; run scripts/install-deps.sh (it adds the deb-src entry)")
    endif()
    # -Wno-dev: libjpeg-turbo's own project draws CMake's developer warnings, which are not ours to mend.
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${jpeg_source_dir} -B ${PC1_JPEG_ROOT}/build -G Ninja -Wno-dev
                            -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
                            -DCMAKE_BUILD_TYPE=Release
                            -DCMAKE_INSTALL_PREFIX=${PC1_JPEG_ROOT}/install
                            ${PC1_JPEG_OPTIONS}
                    RESULT_VARIABLE rc OUTPUT_QUIET)
    if(rc EQUAL 0)
        execute_process(COMMAND ${CMAKE_COMMAND} --build ${PC1_JPEG_ROOT}/build --target install
                        RESULT_VARIABLE rc OUTPUT_QUIET)
    endif()
    if(NOT rc EQUAL 0 OR NOT EXISTS ${PC1_JPEG_LIB})
        message(FATAL_ERROR "Building libjpeg-turbo for Windows failed")
    endif()
    file(WRITE ${PC1_JPEG_STAMP} "${PC1_JPEG_OPTIONS}")
endif()

add_library(JPEG::JPEG STATIC IMPORTED GLOBAL)
set_target_properties(JPEG::JPEG PROPERTIES
    IMPORTED_LOCATION ${PC1_JPEG_LIB}
    INTERFACE_INCLUDE_DIRECTORIES ${PC1_JPEG_ROOT}/install/include)
