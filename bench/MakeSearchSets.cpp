// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the search's benchmark sets as files vantrel-divide reads, with the options to pass.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/SearchSets.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make-search-sets FOLDER UNITS\n";
        return 2;
    }
    const std::string folder = argv[1];
    const auto units = static_cast<std::size_t>(std::strtoull(argv[2], nullptr, 10));
    for (const char* name : SearchSetNames) {
        const SearchSet set = MakeSearchSet(name, units);
        const std::string base = folder + "/" + name + "-" + std::to_string(units);
        std::ofstream totals(base + ".txt");
        for (const auto total : set.Totals)
            totals << total << '\n';
        std::ofstream options(base + ".args");
        options << "--capacity " << set.Capacity << " --low-bound " << set.LowBound << '\n';
        std::cout << base << ".txt: --capacity " << set.Capacity << " --low-bound " << set.LowBound
                  << '\n';
    }
    return 0;
}
