# The Windows program against the static Qt that tools/windows-deps builds: one
# self-contained, stripped GUI program file Sumbrook.exe with only the Qt plugins it uses;
# the Qt test programs with the offscreen platform besides the windows one; the installer
# (NSIS) and a plain .zip of the program file. Included by the top-level CMakeLists.txt
# when Windows is the target and the windows are built.

set_target_properties(sumbrook PROPERTIES OUTPUT_NAME Sumbrook)
# Stripped: the symbols would double the file.
target_link_options(sumbrook PRIVATE -s)
# The windows platform, the native style, and the one picture format read through Qt (its
# icon, a .ico; the About picture is decoded by libjpeg, the rest is drawn).
qt_import_plugins(sumbrook
    INCLUDE_BY_TYPE platforms Qt6::QWindowsIntegrationPlugin
    INCLUDE_BY_TYPE styles Qt6::QWindowsVistaStylePlugin
    INCLUDE_BY_TYPE imageformats Qt6::QICOPlugin)

# A static Qt links only the default platform plugin: the test programs also get the
# offscreen one, so that they run with and without a display.
function(sumbrook_executables_below directory result)
    set(found)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            list(APPEND found ${target})
        endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        sumbrook_executables_below(${subdirectory} below)
        list(APPEND found ${below})
    endforeach()
    set(${result} ${found} PARENT_SCOPE)
endfunction()

if(BUILD_TESTING)
    sumbrook_executables_below(${PROJECT_SOURCE_DIR}/tests test_programs)
    foreach(program IN LISTS test_programs)
        qt_import_plugins(${program} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    endforeach()
endif()

# The installer and the plain archive, next to the program file in the build folder.
set(SUMBROOK_SETUP ${CMAKE_BINARY_DIR}/Sumbrook-${PROJECT_VERSION}-setup.exe)
set(SUMBROOK_ZIP ${CMAKE_BINARY_DIR}/Sumbrook-${PROJECT_VERSION}-win64.zip)
find_program(MAKENSIS makensis)
if(MAKENSIS)
    set(script ${PROJECT_SOURCE_DIR}/tools/windows-installer.nsi)
    add_custom_command(OUTPUT ${SUMBROOK_SETUP}
        COMMAND ${MAKENSIS} -V2 -WX -NOCD -INPUTCHARSET UTF8
                -DVERSION=${PROJECT_VERSION}
                -DPROGRAM=$<TARGET_FILE:sumbrook>
                -DICON=${PROJECT_SOURCE_DIR}/assets/sumbrook.ico
                -DOUTFILE=${SUMBROOK_SETUP}
                ${script}
        DEPENDS sumbrook ${script} ${PROJECT_SOURCE_DIR}/assets/sumbrook.ico
        COMMENT "Making the installer Sumbrook-${PROJECT_VERSION}-setup.exe"
        VERBATIM)
    add_custom_target(installer ALL DEPENDS ${SUMBROOK_SETUP})
else()
    message(STATUS "makensis not found: no installer (Debian package nsis)")
endif()
add_custom_command(OUTPUT ${SUMBROOK_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${SUMBROOK_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${SUMBROOK_ZIP} --format=zip $<TARGET_FILE_NAME:sumbrook>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:sumbrook>
    DEPENDS sumbrook
    COMMENT "Packing Sumbrook-${PROJECT_VERSION}-win64.zip"
    VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${SUMBROOK_ZIP})
