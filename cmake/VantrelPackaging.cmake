# A Debian package of what `cmake --install` puts under the prefix: `cpack -G DEB` in the build
# folder. Its dependencies come from the libraries the programs link (dpkg-shlibdeps), plus the Qt
# platform plugins that a window needs and the library packages only recommend.
set(VANTREL_PACKAGE_MAINTAINER "Orbek Vantrel maintainers <maintainers@example.org>" CACHE STRING
    "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "divides a collection of files or music onto storage media")
set(CPACK_PACKAGE_DESCRIPTION
    "Orbek Vantrel divides a collection onto storage media as fully as possible: files and\n\
folders measured in bytes onto data discs, or music tracks measured in playing time onto\n\
audio discs and cassette sides. It writes a text list or an M3U playlist per medium, or\n\
copies or moves the items into one folder per medium. The window speaks Russian.\n\
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
# puts the texts of Qt's own dialogs and buttons into Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")

include(CPack)
