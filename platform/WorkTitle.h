// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// What is done to a medium while an operation runs.
enum class MediumWork { Collecting, MakingImage };

// The title of an operation's progress: the work and the number (from 1) of the medium it is done
// for. The window and the command-line tool put it into words of their own.
struct WorkTitle {
    MediumWork Work = MediumWork::Collecting;
    std::size_t Medium = 1;

    bool operator==(const WorkTitle&) const = default;
};
