// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// The one ordering of collection paths: locale-aware and case-insensitive under the user's
// locale, ties broken byte-wise. It returns 0 only for the duplicates of the platform: byte-equal
// paths where its file systems tell letter case apart, paths equal but for letter case where they
// do not (Windows); equal paths always end up as neighbours after a sort by it. Thread-compatible:
// call it from the user-interface thread.
int ComparePaths(const std::string& left, const std::string& right);

// True when the two paths name the same collection item.
inline bool SamePath(const std::string& left, const std::string& right) {
    return ComparePaths(left, right) == 0;
}

// Collation keys of many paths, made once, so that sorting them costs one collation per path
// instead of two conversions and a collation per comparison. Orders exactly as ComparePaths.
class PathSortKeys {
public:
    // The paths must outlive the keys.
    explicit PathSortKeys(const std::vector<const std::string*>& paths);
    ~PathSortKeys();
    PathSortKeys(const PathSortKeys&) = delete;
    PathSortKeys& operator=(const PathSortKeys&) = delete;

    // Whether path number left sorts before path number right.
    bool Less(std::size_t left, std::size_t right) const;

private:
    struct Keys;
    std::unique_ptr<Keys> Collated;
    std::vector<const std::string*> Paths;
};
