# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build, cross-compiled on Debian with mingw-w64 against the kit of
# scripts/windows-kit.sh: its tests run under wine through a wrapper that finds the kit's and the
# compiler's DLLs, and the programs carry their resources.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    get_filename_component(_vantrel_qt_bin "${Qt6_DIR}/../../../bin" ABSOLUTE)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
        OUTPUT_VARIABLE _vantrel_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(_vantrel_runtime_dir "${_vantrel_runtime}" DIRECTORY)
    set(VANTREL_WINE_PATH "${_vantrel_qt_bin};${_vantrel_runtime_dir};/usr/x86_64-w64-mingw32/lib")
    get_filename_component(VANTREL_QT_PLUGINS "${Qt6_DIR}/../../../plugins" ABSOLUTE)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh
        @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
        WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
endif()

# Paths are UTF-16 at the Win32 boundary: every call is the wide one.
target_compile_definitions(vantrel_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

# libisofs is the kit's, never the build machine's.
get_filename_component(_vantrel_kit "${Qt6_DIR}/../../.." ABSOLUTE)
set(ENV{PKG_CONFIG_LIBDIR} "${_vantrel_kit}/lib/pkgconfig")

# The programs' icon and version information, compiled by windres into each program file.
enable_language(RC)
function(vantrel_windows_resources target)
    set(VANTREL_ICON_FILE ${PROJECT_SOURCE_DIR}/resources/icons/vantrel.ico)
    set(VANTREL_RESOURCE_NAME ${target})
    configure_file(${PROJECT_SOURCE_DIR}/resources/vantrel.rc.in
        ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()
