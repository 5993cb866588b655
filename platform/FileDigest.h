// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// The SHA-256 of a file's contents in lowercase hexadecimal; nothing when it cannot be read.
std::optional<std::string> FileSha256(const std::string& path);
