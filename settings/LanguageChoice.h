// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/TextLanguage.h"

// The values of the setting Language: the user's locale decides, or one language is fixed.
namespace LanguageSetting {
inline constexpr const char* Automatic = "auto";
inline constexpr const char* Russian = "ru";
inline constexpr const char* English = "en";
}  // namespace LanguageSetting

// The locale's part of the environment, each null when unset.
struct LocaleEnvironment {
    const char* LcAll = nullptr;
    const char* LcMessages = nullptr;
    const char* Lang = nullptr;
};

// The window's language. A setting of "ru" or "en" decides; any other ("auto", missing) leaves
// it to the locale: the first of LC_ALL, LC_MESSAGES, LANG that is set and not empty names it.
// Russian for a Russian locale ("ru", "ru_RU.UTF-8"), for "C" and "POSIX" and when none is
// set; English for every other locale.
TextLanguage ChooseLanguage(const std::string& setting, const LocaleEnvironment& locale);

// The same, with this process's environment.
TextLanguage ChooseLanguage(const std::string& setting);
