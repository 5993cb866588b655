// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The console a command-line program runs in.

// The program's arguments (without its own name) in UTF-8, whatever the system passed them in.
std::vector<std::string> ConsoleArguments(int argc, char** argv);

// Calls onInterrupt when the user presses Ctrl+C (or Ctrl+Break), or, where the system has them,
// when SIGTERM or SIGHUP asks the program to end, instead of ending the process, so that the
// program can stop cleanly between its steps and remove what it left half-written. A read or
// write under way is not broken off by it. onInterrupt runs on a thread of the system's choosing
// or inside a signal handler: it may only set an atomic flag.
void CatchConsoleInterrupt(void (*onInterrupt)());

// The exit status of a run stopped that way: 128 and the number of the first signal that arrived,
// as a shell reports a process the signal ended (130 for Ctrl+C, also where no signal arrived).
int InterruptedExitStatus();

// True when the error stream is a terminal that takes a status line rewritten in place (UTF-8,
// carriage return); prepares it for that.
bool PrepareStatusTerminal();
