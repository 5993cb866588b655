# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build in BUILD_DIR under a fresh PREFIX and checks that every file the desktop, the
# software centre, man and the program look for is where they look, under the application id. Run by CTest with -D BUILD_DIR, PREFIX, BINDIR, DATADIR
# and HELPDIR (the last three relative to the prefix).
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    ${BINDIR}/vantrel
    ${BINDIR}/vantrel-divide
    ${HELPDIR}/Property.html
    ${HELPDIR}/T_Collection.html
    ${HELPDIR}/T_Divide.html
    ${HELPDIR}/T_Result.html
    ${HELPDIR}/en/Property.html
    ${HELPDIR}/en/T_Collection.html
    ${HELPDIR}/en/T_Divide.html
    ${HELPDIR}/en/T_Result.html
    ${DATADIR}/vantrel/translations/vantrel_en.qm
    ${DATADIR}/applications/org.vantrel.Vantrel.desktop
    ${DATADIR}/metainfo/org.vantrel.Vantrel.metainfo.xml
    ${DATADIR}/icons/hicolor/scalable/apps/org.vantrel.Vantrel.svg
    ${DATADIR}/man/man1/vantrel.1.gz
    ${DATADIR}/man/man1/vantrel-divide.1.gz
    ${DATADIR}/doc/vantrel/copyright
    ${DATADIR}/doc/vantrel/changelog.Debian.gz
)
foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND expected ${DATADIR}/icons/hicolor/${size}x${size}/apps/org.vantrel.Vantrel.png)
endforeach()

# Every image a help page shows is installed beside it (the Results page's was not).
foreach(page Property T_Collection T_Divide T_Result)
    file(READ "${PREFIX}/${HELPDIR}/${page}.html" html)
    string(REGEX MATCHALL "src=\"[^\"]+\"" sources "${html}")
    foreach(source IN LISTS sources)
        string(REGEX REPLACE "^src=\"(.*)\"$" "\\1" image "${source}")
        list(APPEND expected ${HELPDIR}/${image})
    endforeach()
endforeach()

set(missing)
foreach(file IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${file}")
        list(APPEND missing ${file})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "not installed: ${missing}")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}"
        "${PREFIX}/${DATADIR}/applications/org.vantrel.Vantrel.desktop" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the desktop entry is not valid")
    endif()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net
        "${PREFIX}/${DATADIR}/metainfo/org.vantrel.Vantrel.metainfo.xml" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the AppStream metadata is not valid")
    endif()
endif()
file(REMOVE_RECURSE "${PREFIX}")
