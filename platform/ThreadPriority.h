#pragma once

#include <cstdint>

// The seven positions of the window's priority control, from idle (0) over normal (3) to the
// strongest (6), mapped onto this platform's thread scheduling:
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

// The calling thread's system identity, for ApplyThreadPriority from another thread.
std::int64_t CurrentThreadId();

// Sets the priority of the thread with the given identity; false when the system refused.
bool ApplyThreadPriority(std::int64_t threadId, int position);

// The nice value a position maps to (for tests and the help text).
int NiceValueOfPosition(int position);
