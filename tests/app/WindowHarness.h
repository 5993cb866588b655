// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
#include "tests/doubles/AnswerQueuePrompter.h"
#include "tests/doubles/RecordingWinampHost.h"
#include "tests/doubles/ScriptedFileChooser.h"

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

// A running player that writes its playlist into the given folder; Watch, when set, looks at the
// window while the player is sent a message.
class PlayerWritingInto : public RecordingWinampHost {
public:
    explicit PlayerWritingInto(std::string folder) : Folder(std::move(folder)) {
        ExistingFiles.insert("audacious");
        Running = 1;
    }
    std::string PlaylistFolder(const std::string&) override { return Folder + "/"; }
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
    std::string SettingsPath() const { return Root + "/vantrel.ini"; }
    void WriteSettings(const std::string& lines) const {
        std::ofstream(SettingsPath()) << "[Global]\n" << lines;
    }
    std::string File(const std::string& name, std::uintmax_t size = 0) const {
        const std::string path = Root + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path).close();
        std::filesystem::resize_file(path, size);
        return path;
    }
    std::string Playlist(const std::string& name, const std::vector<std::string>& tracks) const {
        const std::string path = File(name);
        std::ofstream out(path);
        out << "#EXTM3U\r\n";
        for (const std::string& track : tracks)
            out << "#EXTINF:61," << track << "\r\n" << File(track + ".mp3", 1) << "\r\n";
        return path;
    }
    TfrmVantrelMain& Open() {
        Window = std::make_unique<TfrmVantrelMain>(SettingsPath(), &Questions, &Files, &Player);
        Window->show();
        return *Window;
    }

    QTemporaryDir Folder;
    std::string Root = std::filesystem::canonical(Folder.path().toStdString()).string();
    AnswerQueuePrompter Questions;
    ScriptedFileChooser Files;
    PlayerWritingInto Player{Root};
    std::unique_ptr<TfrmVantrelMain> Window;
};
