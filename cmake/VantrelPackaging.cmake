# SPDX-License-Identifier: GPL-3.0-or-later
# A Debian package of what `cmake --install` puts under the prefix: `cpack -G DEB` in the build
# folder (scripts/package.sh does it). Its dependencies come from the libraries the programs link
# (dpkg-shlibdeps), plus the Qt platform plugins that a window needs and the library packages only
# recommend. Besides the programs the package holds what Debian asks of every package: the
# licence as a machine-readable copyright file, a changelog and the manual pages, compressed.
set(VANTREL_PACKAGE_MAINTAINER "Orbek Vantrel maintainers <maintainers@example.org>" CACHE STRING
    "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "divides a collection of files or music onto storage media")
# Debian shows these lines as they are: each stays within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Orbek Vantrel divides a collection onto storage media as fully as possible:\n\
files and folders measured in bytes onto data discs, or music tracks measured\n\
in playing time onto audio discs and cassette sides. It writes a text list or\n\
an M3U playlist per medium, or copies or moves the items into one folder per\n\
medium. The window speaks Russian or English, by the user's language.\n\
The package also holds vantrel-divide, the division from the command line.")
set(CPACK_PACKAGE_CONTACT ${VANTREL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VANTREL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# xdg-utils opens the web and mail links of the About box and the help; qt6-translations-l10n
# puts the texts of Qt's own dialogs and buttons into Russian when the window speaks Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
# The media player the music collection is exchanged with, and a burner for the disc images.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "audacious, xorriso")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Compressed the way Debian wants them (gzip -9, no name or time stamp inside, so the package is
# reproducible), made when CMake configures and again whenever a source changes.
function(vantrel_gzip source output)
    execute_process(COMMAND gzip -9 -n -c "${source}" OUTPUT_FILE "${output}"
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "gzip ${source}: ${result}")
    endif()
    set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        "${source}")
endfunction()

set(vantrel_packaging_dir ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${vantrel_packaging_dir})
set(vantrel_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.Debian.in
    ${vantrel_packaging_dir}/changelog.Debian @ONLY)
vantrel_gzip(${vantrel_packaging_dir}/changelog.Debian ${vantrel_packaging_dir}/changelog.Debian.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${vantrel_packaging_dir}/changelog.Debian.gz
    DESTINATION ${vantrel_doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${CPACK_PACKAGE_NAME})

set(vantrel_manual_pages vantrel-divide.1)
if(VANTREL_BUILD_APP)
    list(APPEND vantrel_manual_pages vantrel.1)
endif()
foreach(page IN LISTS vantrel_manual_pages)
    vantrel_gzip(${PROJECT_SOURCE_DIR}/man/${page} ${vantrel_packaging_dir}/${page}.gz)
    install(FILES ${vantrel_packaging_dir}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

include(CPack)
