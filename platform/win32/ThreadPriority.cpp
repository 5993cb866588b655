// SPDX-License-Identifier: GPL-3.0-or-later
// The seven positions on Windows are the system's seven thread priority levels, one to one:
//
//   position  level
//   0         THREAD_PRIORITY_IDLE
//   1         THREAD_PRIORITY_LOWEST
//   2         THREAD_PRIORITY_BELOW_NORMAL
//   3         THREAD_PRIORITY_NORMAL
//   4         THREAD_PRIORITY_ABOVE_NORMAL
//   5         THREAD_PRIORITY_HIGHEST
//   6         THREAD_PRIORITY_TIME_CRITICAL
//
// Every level may be set, raised and lowered again by the thread's own process, so no position
// is ever refused for want of a privilege.
#include "platform/ThreadPriority.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace {

constexpr int LevelOfPosition[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                                   THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                                   THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                                   THREAD_PRIORITY_TIME_CRITICAL};

// The thread with the given identity, opened for the access asked; closed when it goes.
class ThreadHandle {
public:
    ThreadHandle(std::int64_t threadId, DWORD access)
        : Handle(::OpenThread(access, FALSE, static_cast<DWORD>(threadId))) {}
    ~ThreadHandle() {
        if (Handle != nullptr)
            ::CloseHandle(Handle);
    }
    ThreadHandle(const ThreadHandle&) = delete;
    ThreadHandle& operator=(const ThreadHandle&) = delete;

    HANDLE Handle;
};

}  // namespace

std::int64_t CurrentThreadId() {
    return static_cast<std::int64_t>(::GetCurrentThreadId());
}

bool ApplyThreadPriority(std::int64_t threadId, int position) {
    const ThreadHandle thread(threadId, THREAD_SET_INFORMATION | THREAD_QUERY_INFORMATION);
    return thread.Handle != nullptr &&
           ::SetThreadPriority(thread.Handle, LevelOfPosition[std::clamp(position, 0, 6)]) != 0;
}

std::optional<int> ThreadPosition(std::int64_t threadId) {
    const ThreadHandle thread(threadId, THREAD_QUERY_INFORMATION);
    if (thread.Handle == nullptr)
        return std::nullopt;
    const int level = ::GetThreadPriority(thread.Handle);
    if (level == THREAD_PRIORITY_ERROR_RETURN)
        return std::nullopt;
    // The position of the thread's level; a level between two (a real-time process class has
    // more) counts as the stronger one, one above the strongest as the strongest.
    const auto* nearest =
        std::lower_bound(std::begin(LevelOfPosition), std::end(LevelOfPosition), level);
    if (nearest == std::end(LevelOfPosition))
        return 6;
    return static_cast<int>(nearest - std::begin(LevelOfPosition));
}
