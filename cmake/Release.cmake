# The `release` target: PC1-<version>.zip and the NSIS installer PC1-<version>-setup.exe in the build tree, both
# holding the stripped PC1.exe, the settings program PC1Ayar.exe, the hall's console PC1Salon.exe, the sample
# Metin.rtf, the commented settings file PC1.ini and the supervisor's guides (KILAVUZ.txt, GUIDE.txt).
# The guides go out as UTF-8 with a byte-order mark and CRLF line ends: Notepad then shows the Turkish letters
# right whatever the machine's code page, which Windows-1254 would only do on a Turkish Windows.
find_program(PC1_MAKENSIS makensis REQUIRED)

set(PC1_RELEASE_NAME PC1-${PROJECT_VERSION})
set(PC1_RELEASE_STAGE ${CMAKE_BINARY_DIR}/release)
set(PC1_RELEASE_ZIP ${CMAKE_BINARY_DIR}/${PC1_RELEASE_NAME}.zip)
set(PC1_RELEASE_SETUP ${CMAKE_BINARY_DIR}/${PC1_RELEASE_NAME}-setup.exe)

string(ASCII 239 187 191 utf8_bom)
foreach(guide KILAVUZ.txt GUIDE.txt)
    set(source ${PROJECT_SOURCE_DIR}/packaging/${guide})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(READ ${source} text)
    file(CONFIGURE OUTPUT ${PC1_RELEASE_STAGE}/${guide} CONTENT "${utf8_bom}${text}" @ONLY NEWLINE_STYLE CRLF)
endforeach()

set(release_files PC1.exe PC1Ayar.exe PC1Salon.exe Metin.rtf PC1.ini KILAVUZ.txt GUIDE.txt)
list(TRANSFORM release_files PREPEND ${PC1_RELEASE_STAGE}/ OUTPUT_VARIABLE staged_files)

add_custom_command(OUTPUT ${PC1_RELEASE_STAGE}/PC1.exe ${PC1_RELEASE_STAGE}/PC1Ayar.exe ${PC1_RELEASE_STAGE}/PC1Salon.exe
                   ${PC1_RELEASE_STAGE}/Metin.rtf ${PC1_RELEASE_STAGE}/PC1.ini
    COMMAND ${CMAKE_STRIP} -o ${PC1_RELEASE_STAGE}/PC1.exe $<TARGET_FILE:PC1>
    COMMAND ${CMAKE_STRIP} -o ${PC1_RELEASE_STAGE}/PC1Ayar.exe $<TARGET_FILE:PC1Ayar>
    COMMAND ${CMAKE_STRIP} -o ${PC1_RELEASE_STAGE}/PC1Salon.exe $<TARGET_FILE:PC1Salon>
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/resources/Metin.rtf ${PC1_RELEASE_STAGE}/Metin.rtf
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/PC1.ini ${PC1_RELEASE_STAGE}/PC1.ini
    DEPENDS PC1 PC1Ayar PC1Salon ${PROJECT_SOURCE_DIR}/resources/Metin.rtf ${PROJECT_SOURCE_DIR}/packaging/PC1.ini
    COMMENT "Staging the release files")

add_custom_command(OUTPUT ${PC1_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${PC1_RELEASE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${PC1_RELEASE_ZIP} --format=zip ${release_files}
    WORKING_DIRECTORY ${PC1_RELEASE_STAGE}
    DEPENDS ${staged_files}
    COMMENT "Packing ${PC1_RELEASE_NAME}.zip")

add_custom_command(OUTPUT ${PC1_RELEASE_SETUP}
    COMMAND ${PC1_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION} -DSTAGE=${PC1_RELEASE_STAGE}
            -DOUTFILE=${PC1_RELEASE_SETUP} ${PROJECT_SOURCE_DIR}/packaging/PC1.nsi
    DEPENDS ${staged_files} ${PROJECT_SOURCE_DIR}/packaging/PC1.nsi
    COMMENT "Making ${PC1_RELEASE_NAME}-setup.exe")

add_custom_target(release DEPENDS ${PC1_RELEASE_ZIP} ${PC1_RELEASE_SETUP})
