// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "app/Formvantrelmain.h"
#include "dialogs/QtText.h"
#include "platform/PathNames.h"
#include "platform/TextFileEncoding.h"
#include "platform/Utf8Path.h"
#include "tests/doubles/AnswerQueuePrompter.h"
#include "tests/doubles/RecordingWinampHost.h"
#include "tests/doubles/ScriptedFileChooser.h"
#include "winamp/Winamp.h"

// A column of the current test row, where QFETCH's declaration does not fit.
template <typename Value>
inline Value Fetched(const char* column) {
    return *static_cast<Value*>(QTest::qData(column, ::qMetaTypeId<Value>()));
}

// The widgets Tab moves the focus to from the focused one, in order, as many as asked for.
inline std::vector<QWidget*> TabOrder(std::size_t count) {
    std::vector<QWidget*> reached;
    for (std::size_t i = 0; i < count; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    return reached;
}

// A path the tests write with "/" in this platform's form, with its own delimiter.
inline std::string NativePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', PathDelimiter);
    return path;
}
inline QString NativePathText(const char* path) {
    return QString::fromStdString(NativePath(std::string(path)));
}

// A text of the window naming this platform's player where it says "Winamp".
inline QString PlayerNamedText(const char* text) {
    return QString::fromStdString(WithPlayerName(text));
}

// A running player that writes its playlist into the given folder; Watch, when set, looks at the
// window while the player is sent a message.
class PlayerWritingInto : public RecordingWinampHost {
public:
    explicit PlayerWritingInto(std::string folder) : Folder(std::move(folder)) {
        ExistingFiles.insert(std::string(WinampProgramFile));
        Running = 1;
    }
    std::string PlaylistFolder(const std::string&) override {
        return WithTrailingDelimiter(Folder);
    }
    std::optional<std::intptr_t> SendWindowMessage(WinampWindowHandle window, std::uint32_t message,
                                                   std::uintptr_t wParam,
                                                   std::intptr_t lParam) override {
        if (Watch)
            Watch();
        return RecordingWinampHost::SendWindowMessage(window, message, wParam, lParam);
    }

    std::function<void()> Watch;

private:
    std::string Folder;
};

// A window over a temporary folder and settings file, with scripted dialogs and player. The
// three page tests share it.
struct Harness {
    Harness() = default;
    // Starts with these lines in the settings file's section.
    explicit Harness(const std::string& settings) { WriteSettings(settings); }
    // The path of a name inside the folder, written with "/".
    std::string Path(const std::string& name) const { return JoinPath(Root, NativePath(name)); }
    std::string SettingsPath() const { return Path("vantrel.ini"); }
    void WriteSettings(const std::string& lines) const {
        std::ofstream(Utf8Path(SettingsPath())) << "[Global]\n" << lines;
    }
    std::string File(const std::string& name, std::uintmax_t size = 0) const {
        const std::string path = Path(name);
        std::filesystem::create_directories(Utf8Path(path).parent_path());
        std::ofstream(Utf8Path(path)).close();
        std::filesystem::resize_file(Utf8Path(path), size);
        return path;
    }
    // A file that the platform's listing takes for hidden: its name begins with "." and on
    // Windows it has the hidden attribute as well.
    std::string HiddenFile(const std::string& name, std::uintmax_t size) const {
        const std::string path = File(name, size);
#ifdef _WIN32
        ::SetFileAttributesW(Utf8Path(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
        return path;
    }
    // A playlist of the tracks, encoded as the platform's player writes it.
    std::string Playlist(const std::string& name, const std::vector<std::string>& tracks) const {
        const std::string path = File(name);
        std::string text = "#EXTM3U\r\n";
        for (const std::string& track : tracks)
            text += "#EXTINF:61," + track + "\r\n" + File(track + ".mp3", 1) + "\r\n";
        std::ofstream(Utf8Path(path), std::ios::binary) << EncodeTextFile(text).Bytes;
        return path;
    }
    TfrmVantrelMain& Open() {
        Window = std::make_unique<TfrmVantrelMain>(SettingsPath(), &Questions, &Files, &Player);
        Window->show();
        return *Window;
    }

    QTemporaryDir Folder;
    std::string Root = Utf8Text(
        std::filesystem::canonical(Utf8Path(Folder.path().toStdString())).make_preferred());
    AnswerQueuePrompter Questions;
    ScriptedFileChooser Files;
    PlayerWritingInto Player{Root};
    std::unique_ptr<TfrmVantrelMain> Window;
};
