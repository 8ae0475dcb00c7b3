# Installs the build into a staging folder and checks that everything a desktop needs
# is where it looks for it.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}/usr/local
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed: ${rc}")
endif()
set(expected
    usr/local/bin/sumbrook
    usr/local/share/applications/sumbrook.desktop
    usr/local/share/metainfo/example.zivev.sumbrook.metainfo.xml)
foreach(size 16 24 32 48 64 128 256)
    list(APPEND expected usr/local/share/icons/hicolor/${size}x${size}/apps/sumbrook.png)
endforeach()
foreach(path IN LISTS expected)
    if(NOT EXISTS ${STAGE}/${path})
        message(FATAL_ERROR "missing after install: ${path}")
    endif()
endforeach()
file(GLOB_RECURSE installed RELATIVE ${STAGE} ${STAGE}/*)
list(LENGTH installed count)
list(LENGTH expected wanted)
if(NOT count EQUAL wanted)
    message(FATAL_ERROR "install laid out ${count} files, expected ${wanted}: ${installed}")
endif()
# Every theme icon is the size its folder says.
foreach(size 16 24 32 48 64 128 256)
    file(READ ${STAGE}/usr/local/share/icons/hicolor/${size}x${size}/apps/sumbrook.png header
         LIMIT 24 HEX)
    string(SUBSTRING "${header}" 32 8 width)
    math(EXPR w "0x${width}")
    if(NOT w EQUAL size)
        message(FATAL_ERROR "icon ${size}x${size} is ${w} pixels wide")
    endif()
endforeach()
message(STATUS "install layout complete: ${count} files")
