// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The unit sets the search is measured on, generated deterministically (the same numbers on
// every machine: the generator and its distributions are our own, not the library's).
struct SearchSet {
    std::vector<std::uint64_t> Totals;
    std::uint64_t Capacity = 0;
    std::uint64_t LowBound = 0;
};

// mp3: track lengths uniform in 120-420 s (hundredths) plus a 1.5 s pause each, onto 80 minutes
// at 99.9 %. photos: 2-12 MiB onto 700 MB at 99.9 %. mixed: lognormal sizes (median 1 MiB, sigma
// 2.5 in ln, clipped to 1 KiB-2 GiB) onto 4.38 GB at 99.9 %. hard: even totals between a quarter
// and a third of an odd capacity, tolerance 100 %: no medium ever reaches its low bound. equal:
// units of 24 000 000 bytes onto 700 MB at 99.9 %, which no medium reaches. archive: the volumes
// of a split archive, 700 MB each and a shorter last one, onto 4.38 GB at 99.9 %.
// triplet: units in threes that fill a medium of 1000 exactly (a multiple of three units, the
// fewest media one third of them); lcg-triplet: the same from another generator, a plain LCG.
// uniform: 20-100 onto 150. Both at tolerance 100 %. Each
// instance number gives another set of the same kind and size.
SearchSet MakeSearchSet(const std::string& name, std::size_t unitCount, std::uint64_t instance = 0);

inline const char* const SearchSetNames[] = {"mp3", "photos", "mixed", "hard", "equal", "archive"};
