// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Sums of unsigned 64-bit sizes that never wrap round: a wrapped sum would be small and seem to
// fit. Written in plain C++ so that every compiler builds them; compilers turn the carry test
// into the processor's carry flag.

// Sum of two sizes that stops at the largest value instead of wrapping round.
constexpr std::uint64_t SaturatingAdd(std::uint64_t left, std::uint64_t right) {
    const std::uint64_t sum = left + right;
    return sum < left ? UINT64_MAX : sum;
}

// Stores left + right modulo 2^64 in sum; true when the exact sum ran past the largest value.
constexpr bool AddOverflows(std::uint64_t left, std::uint64_t right, std::uint64_t& sum) {
    sum = left + right;
    return sum < left;
}

// An exact sum of up to 2^64 sizes (128 bits), for totals that may pass the largest 64-bit value.
class WideSum {
public:
    constexpr void Add(std::uint64_t value) { High += AddOverflows(Low, value, Low) ? 1 : 0; }
    // The value must be part of the sum.
    constexpr void Subtract(std::uint64_t value) {
        High -= Low < value ? 1 : 0;
        Low -= value;
    }
    constexpr bool IsZero() const { return High == 0 && Low == 0; }
    // The sum, or the largest value when it does not fit 64 bits.
    constexpr std::uint64_t Saturated() const { return High != 0 ? UINT64_MAX : Low; }
    // The sum divided by divisor (not 0), truncated; the quotient must fit 64 bits, which holds
    // for the average of at most divisor sizes.
    constexpr std::uint64_t Quotient(std::uint32_t divisor) const {
        // Long division in 32-bit digits: every partial remainder is below divisor < 2^32, so
        // each step's dividend fits 64 bits.
        std::uint64_t remainder = High % divisor;
        const std::uint64_t upper = (remainder << 32) | (Low >> 32);
        remainder = upper % divisor;
        const std::uint64_t lower = (remainder << 32) | (Low & 0xFFFFFFFFU);
        return ((upper / divisor) << 32) | (lower / divisor);
    }

private:
    std::uint64_t High = 0;
    std::uint64_t Low = 0;
};
