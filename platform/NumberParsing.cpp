// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NumberParsing.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// The count of digits at the front of text.
std::size_t DigitsAt(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count]))
        ++count;
    return count;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && DigitsAt(text) == text.size();
}

template <typename Number>
std::optional<Number> WholeNumber(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::uint64_t> ParseUnsigned64(std::string_view text, bool signAllowed) {
    if (signAllowed && !text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (!AllDigits(text))
        return std::nullopt;
    return WholeNumber<std::uint64_t>(text);
}

std::optional<std::int64_t> ParseSigned64(std::string_view text) {
    // from_chars takes a "-" but no "+".
    const bool plus = !text.empty() && text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    const bool minus = !plus && !text.empty() && text.front() == '-';
    if (!AllDigits(text.substr(minus ? 1 : 0)))
        return std::nullopt;
    return WholeNumber<std::int64_t>(text);
}

std::optional<double> ParseDecimal(std::string_view text, DecimalSyntax syntax) {
    // The syntax is checked here, so that from_chars, which knows more forms, sees only these.
    std::string plain;
    std::size_t at = 0;
    if (syntax.Sign && at < text.size() && (text[at] == '+' || text[at] == '-')) {
        if (text[at] == '-')
            plain += '-';
        ++at;
    }
    const std::size_t whole = DigitsAt(text.substr(at));
    plain.append(text.substr(at, whole));
    at += whole;
    std::size_t fraction = 0;
    if (at < text.size() && (text[at] == '.' || (syntax.Comma && text[at] == ','))) {
        plain += '.';
        ++at;
        fraction = DigitsAt(text.substr(at));
        plain.append(text.substr(at, fraction));
        at += fraction;
    }
    if (whole + fraction == 0)
        return std::nullopt;
    if (syntax.Exponent && at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        plain += 'e';
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            plain += text[at++];
        const std::size_t digits = DigitsAt(text.substr(at));
        if (digits == 0)
            return std::nullopt;
        plain.append(text.substr(at, digits));
        at += digits;
    }
    if (at != text.size())
        return std::nullopt;
    const auto value = WholeNumber<double>(plain);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}
