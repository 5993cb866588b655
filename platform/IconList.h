#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "FileSystem.h"

// The small-icon list both list views share. IconIndexOf gives a path's index in it, or -1 when
// the path does not exist or no icon is known (the row then shows no image). Without a provider
// installed (the core in tests, the command-line tool) it tells folders (0) from files (1).
std::int32_t IconIndexOf(const std::string& path);
// The same for a path whose attributes were just read (nothing: it cannot be examined).
std::int32_t IconIndexOf(const std::string& path, const std::optional<PathAttributes>& attributes);

// The window installs the provider that knows real icons; pass nothing to go back to the plain
// one.
using IconProvider = std::function<std::int32_t(const std::string& path)>;
void InstallIconProvider(IconProvider provider);
