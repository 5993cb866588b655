#include "NumberParsing.h"

#include <charconv>

std::optional<std::uint64_t> ParseUnsigned64(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    for (const char ch : text)
        if (ch < '0' || ch > '9')
            return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
    bool digits = false;
    bool point = false;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9')
            digits = true;
        else if (ch == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    // Reads the point as '.' whatever the process's locale; a value beyond double is refused.
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}
