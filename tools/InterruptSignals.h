// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Ctrl+C (SIGINT), SIGTERM and SIGHUP ask a run to stop: none of them ends the process at once,
// each is noted so that the run stops between its steps and removes what it left half-written.
// Interrupted system calls restart, so no read or write in the middle of a file fails because of
// a signal.
void CatchInterrupts();

// The first of those signals that arrived, 0 while none did.
int InterruptSignal();

// The exit status of a run stopped by that signal: 128 and the signal's number, as a shell
// reports a process the signal ended (130 for Ctrl+C).
int InterruptedStatus();
