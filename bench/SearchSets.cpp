// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/SearchSets.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "divide/LowBound.h"

namespace {

// splitmix64: small, fast and the same everywhere.
class Generator {
public:
    explicit Generator(std::uint64_t seed) : State(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [low, high].
    std::uint64_t Between(std::uint64_t low, std::uint64_t high) {
        return low + Next() % (high - low + 1);
    }

    // Uniform in (0, 1).
    double Unit() { return (static_cast<double>(Next() >> 11) + 0.5) / 9007199254740992.0; }

    double Normal() {
        const double pi = 3.14159265358979323846;
        return std::sqrt(-2.0 * std::log(Unit())) * std::cos(2.0 * pi * Unit());
    }

private:
    std::uint64_t State;
};

}  // namespace

SearchSet MakeSearchSet(const std::string& name, std::size_t unitCount, std::uint64_t instance) {
    Generator random(unitCount * 7919 + name.size() + instance * 0x632BE59BD9B4E019ull);
    SearchSet set;
    set.Totals.reserve(unitCount);
    if (name == "mp3") {
        set.Capacity = 480000;
        set.LowBound = LowBoundOf(set.Capacity, 99.9f);
        for (std::size_t i = 0; i < unitCount; ++i)
            set.Totals.push_back(random.Between(12000, 42000) + 150);
    } else if (name == "photos") {
        set.Capacity = 734003200;
        set.LowBound = LowBoundOf(set.Capacity, 99.9f);
        for (std::size_t i = 0; i < unitCount; ++i)
            set.Totals.push_back(random.Between(2ull << 20, 12ull << 20));
    } else if (name == "mixed") {
        set.Capacity = 4700766208;
        set.LowBound = LowBoundOf(set.Capacity, 99.9f);
        const double median = std::log(1048576.0);
        for (std::size_t i = 0; i < unitCount; ++i) {
            const double size = std::exp(median + 2.5 * random.Normal());
            set.Totals.push_back(
                static_cast<std::uint64_t>(std::clamp(size, 1024.0, 2147483648.0)));
        }
    } else if (name == "hard") {
        set.Capacity = 1000000001;
        set.LowBound = set.Capacity;
        for (std::size_t i = 0; i < unitCount; ++i)
            set.Totals.push_back(2 * random.Between(125000001, 166666666));
    } else if (name == "triplet") {
        // Media of 1000 filled exactly by three units each: one of 380-490, the second between
        // 250 and half of what is left, the third the rest; every unit is above a quarter.
        set.Capacity = 1000;
        set.LowBound = set.Capacity;
        for (std::size_t i = 0; i + 3 <= unitCount; i += 3) {
            const std::uint64_t first = random.Between(380, 490);
            const std::uint64_t left = set.Capacity - first;
            const std::uint64_t second = random.Between(250, left / 2);
            set.Totals.insert(set.Totals.end(), {first, second, left - second});
        }
        // Shuffled, so that the order does not give the triples away.
        for (std::size_t i = set.Totals.size(); i > 1; --i)
            std::swap(set.Totals[i - 1], set.Totals[random.Next() % i]);
    } else if (name == "lcg-triplet") {
        // The same kind of set from a plain LCG seeded with the instance number plus one.
        set.Capacity = 1000;
        set.LowBound = set.Capacity;
        std::uint64_t state = instance + 1;
        const auto next = [&state](std::uint64_t low, std::uint64_t high) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            return low + (state >> 33) % (high - low + 1);
        };
        for (std::size_t i = 0; i + 3 <= unitCount; i += 3) {
            const std::uint64_t first = next(380, 490);
            const std::uint64_t second = next(250, (set.Capacity - first) / 2);
            set.Totals.insert(set.Totals.end(), {first, second, set.Capacity - first - second});
        }
        for (std::size_t i = set.Totals.size(); i > 1; --i)
            std::swap(set.Totals[i - 1], set.Totals[next(0, i - 1)]);
    } else if (name == "uniform") {
        set.Capacity = 150;
        set.LowBound = set.Capacity;
        for (std::size_t i = 0; i < unitCount; ++i)
            set.Totals.push_back(random.Between(20, 100));
    } else if (name == "equal") {
        set.Capacity = 734003200;
        set.LowBound = LowBoundOf(set.Capacity, 99.9f);
        set.Totals.assign(unitCount, 24000000);
    } else if (name == "archive") {
        // Volumes of a split archive, each the size of a CD, the last one shorter.
        set.Capacity = 4700766208;
        set.LowBound = LowBoundOf(set.Capacity, 99.9f);
        set.Totals.assign(unitCount, 734003200);
        if (unitCount > 0)
            set.Totals.back() = 123456789;
    } else {
        throw std::invalid_argument("unknown set " + name);
    }
    return set;
}
