// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <signal.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/ChildProcess.h"
#include "winamp/WinampHostAudacious.h"

// Sets an environment variable (or removes it, for null) for the scope's lifetime.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : Name(name) {
        if (const char* old = std::getenv(name))
            Old = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        if (Old)
            ::setenv(Name, Old->c_str(), 1);
        else
            ::unsetenv(Name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* Name;
    std::optional<std::string> Old;
};

// A valid WAV file of silence: 8 kHz, mono, 16 bits, with its artist, album and title in an
// INFO list.
inline std::string Wav(std::uint32_t seconds, const std::string& artist, const std::string& album,
                       const std::string& title) {
    const auto littleEndian = [](std::uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char>((value >> (8 * i)) & 0xFF);
        return text;
    };
    const auto chunk = [&littleEndian](const std::string& id, std::string data) {
        if (data.size() % 2 != 0)
            data += '\0';
        return id + littleEndian(static_cast<std::uint32_t>(data.size()), 4) + data;
    };
    constexpr std::uint32_t rate = 8000;
    const std::string format = littleEndian(1, 2) + littleEndian(1, 2) + littleEndian(rate, 4) +
                               littleEndian(rate * 2, 4) + littleEndian(2, 2) + littleEndian(16, 2);
    const std::string info = "INFO" + chunk("IART", artist + '\0') + chunk("IPRD", album + '\0') +
                             chunk("INAM", title + '\0');
    const std::string body = "WAVE" + chunk("fmt ", format) +
                             chunk("data", std::string(rate * 2 * seconds, '\0')) +
                             chunk("LIST", info);
    return "RIFF" + littleEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

// Audacious started by its host, headless, on a session bus of its own, with a temporary home
// folder, so nothing of the user's player or settings is touched. The player the host started
// and the bus end with the session.
class PrivateAudaciousSession {
public:
    PrivateAudaciousSession() {
        using namespace std::chrono_literals;
        for (const char* program : {"audacious", "audtool", "dbus-daemon"}) {
            if (FindProgramOnPath(program).empty()) {
                Problem =
                    std::string(program) + " is not installed (Debian packages audacious, dbus)";
                return;
            }
        }
        Installed = true;
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-player-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            Problem = "no temporary folder";
            return;
        }
        Home = std::filesystem::canonical(pattern).string();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            Environment.emplace_back(std::make_unique<ScopedEnvironment>(name, Home.c_str()));
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
            Environment.emplace_back(std::make_unique<ScopedEnvironment>(name, nullptr));
        const ProcessOutput bus = RunProcess(
            "dbus-daemon", {"--session", "--fork", "--print-address=1", "--print-pid=1"}, 10s);
        const std::size_t lineEnd = bus.Output.find('\n');
        if (!bus.Finished || bus.ExitStatus != 0 || lineEnd == std::string::npos) {
            Problem = "the session bus did not start: " + bus.Output;
            return;
        }
        BusPid = std::atoi(bus.Output.c_str() + lineEnd + 1);
        Environment.emplace_back(std::make_unique<ScopedEnvironment>(
            "DBUS_SESSION_BUS_ADDRESS", bus.Output.substr(0, lineEnd).c_str()));
    }

    ~PrivateAudaciousSession() {
        using namespace std::chrono_literals;
        if (const auto player = Host.StartedPlayer()) {
            RunProcess("audtool", {"shutdown"}, 5s);
            const auto deadline = std::chrono::steady_clock::now() + 5s;
            while (::kill(*player, 0) == 0 && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(50ms);
            if (::kill(*player, 0) == 0)
                ::kill(*player, SIGKILL);
        }
        if (BusPid > 0)
            ::kill(BusPid, SIGTERM);
        std::error_code error;
        if (!Home.empty())
            std::filesystem::remove_all(Home, error);
    }
    PrivateAudaciousSession(const PrivateAudaciousSession&) = delete;
    PrivateAudaciousSession& operator=(const PrivateAudaciousSession&) = delete;

    bool Installed = false;
    std::string Problem;  // why there is no session; empty when there is one
    std::string Home;
    WinampHostAudacious Host{{"--headless"}};

private:
    std::vector<std::unique_ptr<ScopedEnvironment>> Environment;
    int BusPid = 0;
};
