// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

// The names an entry takes in the two trees of an image the image writer makes with libisofs:
// an ISO 9660 identifier of levels 2 and 3 (capitals, digits and underscores, at most 31
// characters with the dot every file gets) and a Joliet identifier (UCS-2, at most 103
// characters, a file's with its dot). libisofs derives them from the name alone; where two
// entries of one folder end up with the same identifier it changes both, putting up to
// MangleDigits digits into each.

inline constexpr std::size_t IsoNameLimit = 31;
inline constexpr std::size_t JolietFolderLimit = 103;
inline constexpr std::size_t JolietFileLimit = 104;
inline constexpr std::size_t MangleDigits = 7;

// An identifier as libisofs derives it, its characters (a Joliet one's as UTF-8) and their
// count. Known: the form is the one libisofs makes (not so for a name that is not valid UTF-8,
// or for a Joliet one with characters beyond UCS-2; Length is then an upper bound). Exact (told
// of Joliet identifiers; ISO 9660 ones are seldom the names themselves, for want of small
// letters): no other name has the same identifier (it is the name itself, perhaps with a file's
// dot), so only a clash with a name that is not exact can change it.
struct ImageName {
    std::string Form;
    std::size_t Length = 0;
    bool Known = true;
    bool Exact = false;
};

ImageName IsoName(const std::string& name, bool folder);
ImageName JolietName(const std::string& name, bool folder);

// How much a clash can lengthen an identifier of length characters whose limit is limit.
std::size_t MangleRoom(std::size_t length, std::size_t limit);
