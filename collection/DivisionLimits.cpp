// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/DivisionLimits.h"

#include <cmath>

namespace {

constexpr double TenThousandthsPerSecond = 10000;
constexpr std::int64_t TenThousandthsPerHundredth = 100;

}  // namespace

bool IsToleranceAllowed(double percent) {
    return percent >= MinTolerance && percent <= MaxTolerance;
}

std::optional<std::uint32_t> SongPauseOf(double seconds) {
    if (!(seconds >= 0 && seconds <= MaxSongPauseSeconds))
        return std::nullopt;
    return SongPauseOfTenThousandths(std::llround(seconds * TenThousandthsPerSecond));
}

std::uint32_t SongPauseOfTenThousandths(std::int64_t tenThousandths) {
    return static_cast<std::uint32_t>(tenThousandths / TenThousandthsPerHundredth);
}
