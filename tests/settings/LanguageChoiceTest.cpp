// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/LanguageChoice.h"

#include <gtest/gtest.h>

namespace {

constexpr TextLanguage Ru = TextLanguage::Russian;
constexpr TextLanguage En = TextLanguage::English;

}  // namespace

// Catches a wrong order of the variables, an empty variable taken as a locale, "C" or an unset
// locale turning the window English, a Russian locale with territory or code set missed, and a
// setting that does not override.
TEST(LanguageChoice, SettingThenFirstLocaleVariableSet) {
    struct Case {
        const char* Setting;
        LocaleEnvironment Locale;
        TextLanguage Expected;
    };
    const Case cases[] = {
        {"auto", {nullptr, nullptr, nullptr}, Ru},
        {"auto", {"", "", ""}, Ru},
        {"auto", {nullptr, nullptr, "C"}, Ru},
        {"auto", {nullptr, nullptr, "C.UTF-8"}, Ru},
        {"auto", {nullptr, nullptr, "POSIX"}, Ru},
        {"auto", {nullptr, nullptr, "ru_RU.UTF-8"}, Ru},
        {"auto", {nullptr, nullptr, "ru"}, Ru},
        {"auto", {nullptr, nullptr, "ru_UA@euro"}, Ru},
        {"auto", {nullptr, nullptr, "en_US.UTF-8"}, En},
        {"auto", {nullptr, nullptr, "de_DE.UTF-8"}, En},
        {"auto", {nullptr, nullptr, "rus"}, En},
        {"auto", {"en_GB.UTF-8", "ru_RU.UTF-8", "ru_RU.UTF-8"}, En},
        {"auto", {"ru_RU.UTF-8", "en_US.UTF-8", "en_US.UTF-8"}, Ru},
        {"auto", {nullptr, "en_US.UTF-8", "ru_RU.UTF-8"}, En},
        {"auto", {"", "ru_RU.UTF-8", "en_US.UTF-8"}, Ru},
        {"", {nullptr, nullptr, "en_US.UTF-8"}, En},
        {"xx", {nullptr, nullptr, "ru_RU.UTF-8"}, Ru},
        {"ru", {"en_US.UTF-8", nullptr, nullptr}, Ru},
        {"en", {nullptr, nullptr, nullptr}, En},
        {"en", {"C", nullptr, nullptr}, En},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseLanguage(c.Setting, c.Locale), c.Expected)
            << c.Setting << " " << (c.Locale.LcAll ? c.Locale.LcAll : "-") << " "
            << (c.Locale.LcMessages ? c.Locale.LcMessages : "-") << " "
            << (c.Locale.Lang ? c.Locale.Lang : "-");
}
