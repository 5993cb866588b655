# Options every target of the project shares.
add_library(vantrel_options INTERFACE)
target_compile_options(vantrel_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast)
target_compile_definitions(vantrel_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    _GLIBCXX_ASSERTIONS)
if(VANTREL_WERROR)
    target_compile_options(vantrel_options INTERFACE -Werror)
endif()
if(VANTREL_SANITIZE)
    string(REPLACE ";" "," _vantrel_sanitizers "${VANTREL_SANITIZE}")
    target_compile_options(vantrel_options INTERFACE
        -fsanitize=${_vantrel_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(vantrel_options INTERFACE -fsanitize=${_vantrel_sanitizers})
endif()
