// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

// Standard error as vantrel-divide uses it: lines of their own (decisions, failures) and, on a
// terminal, one status line that is redrawn in place (a progress bar). A line of its own is
// written above the status line, which is drawn again with the next update.
class StatusLine {
public:
    // live: draw the status line at all (standard error is a terminal and progress is wanted).
    StatusLine(std::ostream& err, bool live) : Err(err), Live(live) {}
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;
    ~StatusLine() { Clear(); }

    void Show(const std::string& text);
    void Print(const std::string& line);
    void Clear();

private:
    std::ostream& Err;
    bool Live;
    bool Shown = false;
};

// A bar of the given width for done out of total (an empty bar for a total of 0), with the
// percentage after it.
std::string ProgressBar(std::uint64_t done, std::uint64_t total, std::size_t width = 30);
