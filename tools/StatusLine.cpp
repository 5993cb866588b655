// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/StatusLine.h"

#include <ostream>

namespace {

// Back to the line's start, then the text, then everything after it erased.
constexpr const char* LineStart = "\r";
constexpr const char* EraseRest = "\x1b[K";

}  // namespace

void StatusLine::Show(const std::string& text) {
    if (!Live)
        return;
    Err << LineStart << text << EraseRest << std::flush;
    Shown = true;
}

void StatusLine::Print(const std::string& line) {
    Clear();
    Err << line << '\n' << std::flush;
}

void StatusLine::Clear() {
    if (!Shown)
        return;
    Err << LineStart << EraseRest << std::flush;
    Shown = false;
}

std::string ProgressBar(std::uint64_t done, std::uint64_t total, std::size_t width) {
    // In long double, so that sizes near the 64-bit limit neither wrap nor lose the fraction.
    const long double fraction = total == 0
                                     ? 0.0L
                                     : static_cast<long double>(done < total ? done : total) /
                                           static_cast<long double>(total);
    const auto filled = static_cast<std::size_t>(fraction * static_cast<long double>(width));
    const auto percent = static_cast<unsigned>(fraction * 100.0L);
    return "[" + std::string(filled, '#') + std::string(width - filled, '.') + "] " +
           std::to_string(percent) + "%";
}
