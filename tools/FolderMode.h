// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// The folder mode of vantrel-divide: real folders divided through the same data manager and
// division thread as the program.
struct FolderOptions {
    std::uint64_t Capacity = 0;
    float Tolerance = 99.9f;
    std::vector<std::string> Paths;
};

// Runs the division and prints the media; returns the exit status.
int RunFolders(const FolderOptions& options, std::ostream& out, std::ostream& err);
