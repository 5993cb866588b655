# SPDX-License-Identifier: GPL-3.0-or-later
# The window's suites, the same on every platform: Qt Test and GoogleTest with the offscreen
# platform.
vantrel_gtest(vantrel_winamp_dialog_tests winamp/dialog/FormwinamppathTest.cpp
    LINK vantrel_winamp_dialog)

# The Collection page, the window's start and its wiring.
vantrel_qtest(vantrel_window_tests app/FormvantrelmainTest.cpp LINK vantrel_app)

# The Division page: medium, tolerance, song pause, divisions run from the window, and the
# oversized-folder dialog.
vantrel_qtest(vantrel_division_page_tests app/FormvantrelmainDivisionTest.cpp LINK vantrel_app)

# The Results page: real files written, collected and checked in temporary folders.
vantrel_qtest(vantrel_results_window_tests app/FormvantrelmainResultsTest.cpp TIMEOUT 300
    LINK vantrel_app)

# The help pages and translations copied for the program serve the window's tests too, found by
# the same path from each program: here both lie one folder below the build's root, and on
# Windows, where that path starts in the program's own folder, the tests are built beside it.
set(window_suites vantrel_window_tests vantrel_division_page_tests vantrel_results_window_tests)
foreach(suite IN LISTS window_suites)
    add_dependencies(${suite} vantrel_help vantrel_translations)
endforeach()
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    get_target_property(program_dir vantrel BINARY_DIR)
    set_target_properties(${window_suites} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${program_dir})
endif()

# The Qt adapters of the platform interfaces.
vantrel_qtest(vantrel_qt_adapter_tests ui/QtAdaptersTest.cpp LINK vantrel_ui)

# The About box and the help window: GoogleTest with one application object.
add_executable(vantrel_dialogs_tests
    dialogs/WidgetTestMain.cpp
    dialogs/FormaboutTest.cpp
    dialogs/HelpBookTest.cpp
    dialogs/AccessibilityTest.cpp
    dialogs/TellingUrlOpenerTest.cpp
    dialogs/ChooserStartTest.cpp)
target_link_libraries(vantrel_dialogs_tests PRIVATE vantrel_dialogs Qt6::Test GTest::gtest)
gtest_discover_tests(vantrel_dialogs_tests DISCOVERY_TIMEOUT 60)
target_compile_definitions(vantrel_dialogs_tests PRIVATE
    VANTREL_HELP_SOURCE_DIR="${PROJECT_SOURCE_DIR}/help")
