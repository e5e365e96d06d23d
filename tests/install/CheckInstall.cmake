# Installs BUILD_DIR into PREFIX and checks that the programs, their language
# files, menu entries, icons, software-centre entries and manual pages land
# where the desktop looks for them, and that the menu entries are valid.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${installed}")
endif()

set(expected
    bin/veltrano
    bin/caspari
    share/videoconverters/language/English.ini
    share/videoconverters/language/Japanese_utf-8.ini
    share/videoconverters/help/veltrano.html
    share/videoconverters/help/caspari.html
    share/videoconverters/help/languages.html
    share/applications/veltrano.desktop
    share/applications/caspari.desktop
    share/man/man1/veltrano.1.gz
    share/man/man1/caspari.1.gz
    share/metainfo/example.tarnwickstudio.videoconverters.veltrano.metainfo.xml
    share/metainfo/example.tarnwickstudio.videoconverters.caspari.metainfo.xml)
foreach(program veltrano caspari)
    foreach(size 16 32 48 64 128 256)
        list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${program}.png)
    endforeach()
    list(APPEND expected share/icons/hicolor/scalable/apps/${program}.svg)
endforeach()

set(missing "")
foreach(path ${expected})
    if(NOT EXISTS ${PREFIX}/${path})
        list(APPEND missing ${path})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "not installed: ${missing}")
endif()

foreach(program veltrano caspari)
    set(entry ${PREFIX}/share/applications/${program}.desktop)
    execute_process(COMMAND desktop-file-validate ${entry}
        RESULT_VARIABLE valid OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT valid EQUAL 0 OR NOT said STREQUAL "")
        message(FATAL_ERROR "${program}.desktop: ${valid} ${said}")
    endif()
    file(STRINGS ${entry} mime REGEX "^MimeType=.*video/x-matroska;")
    file(STRINGS ${entry} exec REGEX "^Exec=${program} %f$")
    if(NOT mime OR NOT exec)
        message(FATAL_ERROR "${program}.desktop must open videos given as a file")
    endif()
endforeach()
message(STATUS "installed layout complete in ${PREFIX}")
