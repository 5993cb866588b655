# SPDX-License-Identifier: GPL-3.0-or-later
# Options every target of the project shares. The repository's root is the include root: every
# include of a project header names its folder ("divide/Dividethread.h").
add_library(vantrel_options INTERFACE)
target_include_directories(vantrel_options INTERFACE ${CMAKE_CURRENT_LIST_DIR}/..)
target_compile_options(vantrel_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast)
target_compile_definitions(vantrel_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    _GLIBCXX_ASSERTIONS)
# GCC 12 reports false overlaps in inlined std::string concatenation at -O2 and above
# (its bug 105329); the warning says nothing about our code there.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(vantrel_options INTERFACE -Wno-restrict)
endif()
if(VANTREL_WERROR)
    target_compile_options(vantrel_options INTERFACE -Werror)
endif()
if(VANTREL_SANITIZE)
    string(REPLACE ";" "," _vantrel_sanitizers "${VANTREL_SANITIZE}")
    target_compile_options(vantrel_options INTERFACE
        -fsanitize=${_vantrel_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(vantrel_options INTERFACE -fsanitize=${_vantrel_sanitizers})
endif()
