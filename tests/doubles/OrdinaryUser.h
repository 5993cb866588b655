// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifndef _WIN32
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

#include "platform/Utf8Path.h"

// Permissions hold for an ordinary user only; tests run as root in CI. Such a test gives the
// paths it prepares to the user "nobody" and runs the part that must meet the permissions in a
// child process that has dropped its privileges to that user. Run as an ordinary user already,
// the paths stay as they are and the part runs in this process.
#ifdef _WIN32
// Windows has no owners, and of the permission bits only the lack of every write permission means
// something: the read-only attribute, which stops every user. Tests of the other bits skip there
// (PosixOnly.h).
class OrdinaryUser {
public:
    void Own(const std::string& path, int mode) const {
        std::error_code ignored;
        std::filesystem::permissions(Utf8Path(path), std::filesystem::perms(mode), ignored);
    }
    int Run(const std::function<int()>& body) const { return body(); }
};
#else
class OrdinaryUser {
public:
    OrdinaryUser() {
        if (::geteuid() != 0)
            return;
        if (const passwd* nobody = ::getpwnam("nobody")) {
            Uid = nobody->pw_uid;
            Gid = nobody->pw_gid;
        }
    }

    // Makes the path the ordinary user's own, with the given permissions.
    void Own(const std::string& path, mode_t mode) const {
        if (Uid != 0)
            (void)::lchown(path.c_str(), Uid, Gid);
        ::chmod(path.c_str(), mode);
    }

    // Runs body as the ordinary user and returns its result (0 to 255); 255 when the child
    // process could not be started or lose its privileges.
    int Run(const std::function<int()>& body) const {
        if (::geteuid() != 0)
            return body();
        if (Uid == 0)
            return 255;
        const pid_t child = ::fork();
        if (child < 0)
            return 255;
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(Gid) != 0 || ::setuid(Uid) != 0)
                ::_exit(255);
            ::_exit(body() & 0xFF);
        }
        int status = 0;
        if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
            return 255;
        return WEXITSTATUS(status);
    }

private:
    uid_t Uid = 0;
    gid_t Gid = 0;
};
#endif
