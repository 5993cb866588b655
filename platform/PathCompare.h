#pragma once

#include <string>

// The one ordering of collection paths: locale-aware and case-insensitive under the user's
// locale, ties broken byte-wise. It returns 0 only for byte-equal paths, which are the duplicates
// on this platform (its file systems tell letter case apart), and equal paths always end up as
// neighbours after a sort by it. Thread-compatible: call it from the user-interface thread.
int ComparePaths(const std::string& left, const std::string& right);

// True when the two paths name the same collection item.
inline bool SamePath(const std::string& left, const std::string& right) {
    return ComparePaths(left, right) == 0;
}
