#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A plain unsigned decimal (digits only) that fits 64 bits.
std::optional<std::uint64_t> ParseUnsigned64(std::string_view text);

// A plain decimal number such as 99.9 or 1 (digits with at most one point, always '.'), within
// the range of double.
std::optional<double> ParseDecimal(std::string_view text);
