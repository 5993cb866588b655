# SPDX-License-Identifier: GPL-3.0-or-later
# What the program says about itself: its version, its web page, its two contacts, and where its
# help pages and translations lie relative to the program. Everything lands in one generated header.
include(GNUInstallDirs)

# The About box hides a web page or a mail address left empty; the names default to the project.
set(VANTREL_WEB_PAGE "" CACHE STRING "The product's web page shown in the About box")
set(VANTREL_PROGRAM_AUTHOR_NAME "Orbek Vantrel" CACHE STRING
    "Display name of the program's author in the About box")
set(VANTREL_PROGRAM_AUTHOR_EMAIL "" CACHE STRING
    "Mail address of the program's author in the About box")
set(VANTREL_HELP_AUTHOR_NAME "Orbek Vantrel" CACHE STRING
    "Display name of the help's author in the About box")
set(VANTREL_HELP_AUTHOR_EMAIL "" CACHE STRING
    "Mail address of the help's author in the About box")

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    # A Windows program keeps everything in its own folder: the programs, their libraries, and
    # beside them the help pages and the translations.
    set(CMAKE_INSTALL_BINDIR .)
    set(VANTREL_HELP_INSTALL_DIR help)
    set(VANTREL_HELP_FROM_PROGRAM help)
    set(VANTREL_TRANSLATIONS_INSTALL_DIR translations)
    set(VANTREL_TRANSLATIONS_FROM_PROGRAM translations)
else()
    # The help pages are installed here; the program finds them by the same path taken from its
    # own folder, so an installation can be moved to another prefix as a whole.
    set(VANTREL_HELP_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/vantrel/help")
    file(RELATIVE_PATH VANTREL_HELP_FROM_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}"
        "${CMAKE_INSTALL_FULL_DATADIR}/vantrel/help")
    # The window's translations likewise.
    set(VANTREL_TRANSLATIONS_INSTALL_DIR "${CMAKE_INSTALL_DATADIR}/vantrel/translations")
    file(RELATIVE_PATH VANTREL_TRANSLATIONS_FROM_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}"
        "${CMAKE_INSTALL_FULL_DATADIR}/vantrel/translations")
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/VantrelBuildInfo.h.in
    ${CMAKE_BINARY_DIR}/generated/VantrelBuildInfo.h @ONLY)
add_library(vantrel_build_info INTERFACE)
target_include_directories(vantrel_build_info INTERFACE ${CMAKE_BINARY_DIR}/generated)
