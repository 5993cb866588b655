// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

// The seven positions of the window's priority control, from idle (0) over normal (3) to the
// strongest (6), mapped onto this platform's thread scheduling (on Windows: the system's seven
// thread priority levels, see win32/ThreadPriority.cpp):
//
//   position  policy       nice
//   0         SCHED_IDLE     19  (runs only when nothing else wants the processor)
//   1         SCHED_OTHER    10
//   2         SCHED_OTHER     5
//   3         SCHED_OTHER     0  (normal)
//   4         SCHED_OTHER    -5
//   5         SCHED_OTHER   -10
//   6         SCHED_OTHER   -20  (or the strongest the process may take)
//
// Raising a priority above normal, or back up after lowering it, needs a privilege that an
// ordinary user usually lacks; where the system refuses, the thread keeps the priority it has.
// A thread that must go back up is therefore replaced by a fresh one (see TDivideThread).

// The calling thread's system identity, for ApplyThreadPriority from another thread.
std::int64_t CurrentThreadId();

// Sets the priority of the thread with the given identity; false when the system refused.
bool ApplyThreadPriority(std::int64_t threadId, int position);

// Sets the strongest priority of the position or below that the system grants the thread and
// returns that position: the position itself, or a weaker one where the system refused.
int ApplyStrongestThreadPriority(std::int64_t threadId, int position);

// The position a fresh thread started by the caller would get with
// ApplyStrongestThreadPriority: what the system allows this process for the wanted position.
int StrongestPositionAllowed(int position);

// The position whose priority the thread has now (the nearest one), or nothing when the thread
// cannot be examined.
std::optional<int> ThreadPosition(std::int64_t threadId);

// The nice value a position maps to (for tests and the help text).
int NiceValueOfPosition(int position);
