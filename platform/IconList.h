// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

// The small-icon list both list views share. IconIndexOf gives a path's index in it, or -1 when
// the path cannot be examined or no icon is known (the row then shows no image). The attributes
// are the path's as just read (nothing: it cannot be examined), so that no list needs to read
// them again.
class IconList {
public:
    virtual ~IconList() = default;
    virtual std::int32_t IconIndexOf(const std::string& path,
                                     const std::optional<PathAttributes>& attributes) = 0;
};

// Without real icons (the core in tests, the command-line tool): folders 0, files 1.
class PlainIconList : public IconList {
public:
    std::int32_t IconIndexOf(const std::string& path,
                             const std::optional<PathAttributes>& attributes) override;
};
