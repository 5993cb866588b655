# SPDX-License-Identifier: GPL-3.0-or-later
# The suites of the Windows build, run under wine: the core's own tests where they hold on every
# platform, and the Win32 implementations of the platform's facilities.
vantrel_gtest(vantrel_core_tests
    divide/DivisionSearchTest.cpp
    divide/LowBoundTest.cpp
    items/PlaylistReaderTest.cpp
    platform/NumberParsingTest.cpp
    platform/PathCompareTest.cpp
    platform/PathNamesTest.cpp
    platform/SizeArithmeticTest.cpp
    settings/CapacityPresetsTest.cpp
    LINK vantrel_divide vantrel_settings)

vantrel_gtest(vantrel_win32_platform_tests
    platform/win32/AtomicFileTest.cpp
    platform/win32/ConsoleTest.cpp
    platform/win32/FileSystemTest.cpp
    platform/win32/TextFileEncodingTest.cpp
    platform/win32/ThreadPriorityTest.cpp
    platform/win32/WholeFileCopyTest.cpp
    LINK vantrel_platform)

# A process the tests start and stop: a slow copy ended midway, the arguments it reads.
add_executable(vantrel_win32_test_child platform/win32/TestChild.cpp)
target_link_libraries(vantrel_win32_test_child PRIVATE vantrel_platform)
add_dependencies(vantrel_win32_platform_tests vantrel_win32_test_child)
target_compile_definitions(vantrel_win32_platform_tests PRIVATE
    VANTREL_TEST_CHILD="$<TARGET_FILE_NAME:vantrel_win32_test_child>")

# Where the settings and the results go on Windows.
vantrel_gtest(vantrel_win32_settings_tests settings/win32/UserFoldersTest.cpp LINK vantrel_settings)

# The file-operation service of Windows: copies and moves in temporary folders.
vantrel_gtest(vantrel_win32_file_operations_tests platform/win32/Win32FileOperationsTest.cpp
    LINK vantrel_platform)

# The disc on Windows: an image written through libisofs and the wide calls.
vantrel_gtest(vantrel_win32_disc_tests disc/win32/DiscImageTest.cpp LINK vantrel_disc)

# The tool's texts, numbers and unit lists, and the words of its questions.
vantrel_gtest(vantrel_tool_tests
    tools/JsonTextTest.cpp
    tools/MediumCapacityTest.cpp
    tools/MinimumTextTest.cpp
    tools/UnitListModeTest.cpp
    ui/QuestionTextsTest.cpp
    LINK vantrel_tools)

# The collection, its results and the division's preparation: the same tests as on Linux, with real
# files in temporary folders; what holds for POSIX files only (permissions, FIFOs, mounts) skips.
vantrel_gtest(vantrel_collection_tests
    items/CollectionitemsTest.cpp
    collection/HiddenEntriesTest.cpp
    collection/PrepareDivisionTest.cpp
    collection/ResultsServiceTest.cpp
    collection/TdatamanagerCollectTest.cpp
    collection/TdatamanagerImageTest.cpp
    collection/TdatamanagerListsTest.cpp
    collection/TdatamanagerPlaylistTest.cpp
    collection/TdatamanagerTest.cpp
    collection/TemporaryNamesTest.cpp
    LINK vantrel_collection)

# The settings file, the disc's images, the division thread and the tool's runs.
vantrel_gtest(vantrel_settings_tests settings/TsettingsTest.cpp settings/LanguageChoiceTest.cpp
    LINK vantrel_settings)
# (The disc count's test against libisofs makes tens of thousands of files: more than ten minutes
# under wine, so it runs on Linux only.)
vantrel_gtest(vantrel_disc_tests disc/DiscImageTest.cpp LINK vantrel_disc)
vantrel_gtest(vantrel_division_tests
    divide/BinLowerBoundTest.cpp
    divide/DividethreadTest.cpp
    divide/FewestMediaTest.cpp
    tools/CollectionModeTest.cpp
    tools/CommandLineTest.cpp
    LINK vantrel_tools)

# The file-operation service's own table of copies, moves and clashes, with the Win32 service
# (the faults injected into the POSIX one are tested on Linux only).
vantrel_gtest(vantrel_file_operations_tests platform/FileOperationsTest.cpp LINK vantrel_platform)

# The window and its dialogs, offscreen under wine.
if(VANTREL_BUILD_APP)
    include(WindowSuites.cmake)
endif()
