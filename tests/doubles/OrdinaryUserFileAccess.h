// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#ifndef _WIN32
#include <sys/fsuid.h>
#include <sys/types.h>
#include <unistd.h>
#endif

// While alive, the calling thread meets permission bits as an ordinary user does, also when the
// tests run as root: root's file-system identity becomes the unprivileged "nobody", which loses
// the right to pass over permission bits. A test of a refused permission then runs whichever user
// starts it. Files made before stay owned by their maker, so "nobody" is refused what their mode
// refuses to others.
#ifdef _WIN32
// Windows has no permission bits: such tests skip there (PosixOnly.h), and this lets them build.
class OrdinaryUserFileAccess {
public:
    bool Active() const { return false; }
};
#else
class OrdinaryUserFileAccess {
public:
    OrdinaryUserFileAccess() : WasRoot(::geteuid() == 0) {
        if (WasRoot)
            ::setfsuid(Nobody);
    }
    ~OrdinaryUserFileAccess() {
        if (WasRoot)
            ::setfsuid(0);
    }
    OrdinaryUserFileAccess(const OrdinaryUserFileAccess&) = delete;
    OrdinaryUserFileAccess& operator=(const OrdinaryUserFileAccess&) = delete;

    // False when root could not give up its file-system identity (a confined system).
    bool Active() const {
        // An invalid identity changes nothing and answers with the current one.
        return !WasRoot || ::setfsuid(static_cast<uid_t>(-1)) == static_cast<int>(Nobody);
    }

private:
    static constexpr uid_t Nobody = 65534;
    bool WasRoot;
};
#endif
