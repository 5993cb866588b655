// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/LanguageChoice.h"

#include <cstdlib>
#include <string_view>

namespace {

// A locale name's language: what comes before its territory, code set and modifier.
std::string_view LanguageOf(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

}  // namespace

TextLanguage ChooseLanguage(const std::string& setting, const LocaleEnvironment& locale) {
    if (setting == LanguageSetting::Russian)
        return TextLanguage::Russian;
    if (setting == LanguageSetting::English)
        return TextLanguage::English;
    for (const char* value : {locale.LcAll, locale.LcMessages, locale.Lang}) {
        if (value == nullptr || *value == '\0')
            continue;
        const std::string_view language = LanguageOf(value);
        return language == "ru" || language == "C" || language == "POSIX" ? TextLanguage::Russian
                                                                          : TextLanguage::English;
    }
    return TextLanguage::Russian;
}

TextLanguage ChooseLanguage(const std::string& setting) {
    return ChooseLanguage(
        setting,
        LocaleEnvironment{std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")});
}
