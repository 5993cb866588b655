// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

// Skips, on Windows, a test of a rule only POSIX systems have: permission bits and owners, FIFOs,
// file systems mounted for the test, processes forked. Everything else holds on both platforms.
#ifdef _WIN32
#define SKIP_ON_WINDOWS(reason) GTEST_SKIP() << "a POSIX rule: " << (reason)
#else
#define SKIP_ON_WINDOWS(reason) static_cast<void>(reason)
#endif
