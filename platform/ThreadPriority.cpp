// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ThreadPriority.h"

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

constexpr int NiceOfPosition[] = {19, 10, 5, 0, -5, -10, -20};

}  // namespace

std::int64_t CurrentThreadId() {
    return static_cast<std::int64_t>(::syscall(SYS_gettid));
}

int NiceValueOfPosition(int position) {
    return NiceOfPosition[std::clamp(position, 0, 6)];
}

bool ApplyThreadPriority(std::int64_t threadId, int position) {
    position = std::clamp(position, 0, 6);
    const auto tid = static_cast<pid_t>(threadId);
    sched_param param{};
    param.sched_priority = 0;
    const int policy = position == 0 ? SCHED_IDLE : SCHED_OTHER;
    if (::sched_getscheduler(tid) != policy && ::sched_setscheduler(tid, policy, &param) != 0)
        return false;
    int nice = NiceValueOfPosition(position);
    // Nice values apply per thread on Linux. For the strongest position take the strongest the
    // process is allowed: step towards normal until the system accepts.
    while (::setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) != 0) {
        if (errno != EPERM && errno != EACCES)
            return false;
        if (position != 6 || nice >= NiceValueOfPosition(5))
            return false;
        ++nice;
    }
    return true;
}

std::optional<int> ThreadPosition(std::int64_t threadId) {
    const auto tid = static_cast<pid_t>(threadId);
    const int policy = ::sched_getscheduler(tid);
    if (policy < 0)
        return std::nullopt;
    if (policy == SCHED_IDLE)
        return 0;
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
    if (nice == -1 && errno != 0)
        return std::nullopt;
    // Positions 1-6 by falling nice value; a nice value between two positions belongs to the
    // weaker one, as the strongest position takes whatever the process may have below -10.
    for (int position = 6; position > 1; --position) {
        if (nice <= NiceValueOfPosition(position) ||
            (position == 6 && nice < NiceValueOfPosition(5)))
            return position;
    }
    return 1;
}
