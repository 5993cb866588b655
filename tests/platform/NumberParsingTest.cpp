// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NumberParsing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace {

const std::string Nines400(400, '9');

TEST(NumberParsingTest, WholeNumbers) {
    const struct {
        std::string Text;
        std::optional<std::uint64_t> Unsigned;
        std::optional<std::uint64_t> UnsignedWithPlus;
        std::optional<std::int64_t> Signed;
    } cases[] = {
        {"0", 0, 0, 0},
        {"18446744073709551615", UINT64_MAX, UINT64_MAX, std::nullopt},
        {"18446744073709551616", std::nullopt, std::nullopt, std::nullopt},
        {"9223372036854775807", 9223372036854775807ULL, 9223372036854775807ULL, INT64_MAX},
        {"-9223372036854775808", std::nullopt, std::nullopt, INT64_MIN},
        {"-9223372036854775809", std::nullopt, std::nullopt, std::nullopt},
        {"+7", std::nullopt, 7, 7},
        {"-7", std::nullopt, std::nullopt, -7},
        {"+-7", std::nullopt, std::nullopt, std::nullopt},
        {"--7", std::nullopt, std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt, std::nullopt},
        {"+", std::nullopt, std::nullopt, std::nullopt},
        {" 7", std::nullopt, std::nullopt, std::nullopt},
        {"7 ", std::nullopt, std::nullopt, std::nullopt},
        {"0x10", std::nullopt, std::nullopt, std::nullopt},
        {"1e3", std::nullopt, std::nullopt, std::nullopt},
        {"٣", std::nullopt, std::nullopt, std::nullopt},
        {Nines400, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ParseUnsigned64(c.Text), c.Unsigned);
        EXPECT_EQ(ParseUnsigned64(c.Text, true), c.UnsignedWithPlus);
        EXPECT_EQ(ParseSigned64(c.Text), c.Signed);
    }
}

TEST(NumberParsingTest, DecimalNumbers) {
    constexpr DecimalSyntax Plain{};
    constexpr DecimalSyntax Full{.Sign = true, .Comma = true, .Exponent = true};
    const struct {
        std::string Text;
        std::optional<double> PlainValue;
        std::optional<double> FullValue;
    } cases[] = {
        {"99.9", 99.9, 99.9},
        {"80", 80, 80},
        {".5", 0.5, 0.5},
        {"5.", 5, 5},
        {"99,9", std::nullopt, 99.9},
        {"-1.5", std::nullopt, -1.5},
        {"+1.5", std::nullopt, 1.5},
        {"+-1.5", std::nullopt, std::nullopt},
        {"9.99e1", std::nullopt, 99.9},
        {"1E-2", std::nullopt, 0.01},
        {"1e", std::nullopt, std::nullopt},
        {"1e+", std::nullopt, std::nullopt},
        {"1.2.3", std::nullopt, std::nullopt},
        {"1,2.3", std::nullopt, std::nullopt},
        {".", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {" 1", std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
        {"nan", std::nullopt, std::nullopt},
        {"0x1p3", std::nullopt, std::nullopt},
        {"1e400", std::nullopt, std::nullopt},
        {Nines400, std::nullopt, std::nullopt},
        {"0." + Nines400, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(ParseDecimal(c.Text, Plain), c.PlainValue);
        EXPECT_EQ(ParseDecimal(c.Text, Full), c.FullValue);
    }
}

}  // namespace
