// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "items/CollectionKind.h"
#include "platform/TextLanguage.h"

// The text of a size or playing time, by the collection's type: bytes as "%d Б" or scaled with
// " кБ", " МБ", " ГБ" (in English " B", " KB", " MB", " GB"); hundredths of a second as
// h:mm:ss, or mm:ss under an hour, in either language; nothing for any other type.
std::string ValueTextOf(CollectionKind type, std::uint64_t value,
                        TextLanguage language = TextLanguage::Russian);
// A size in bytes scaled as ValueTextOf scales it, but always with two decimals (699.87 МБ), for
// comparisons close to a limit.
std::string PreciseSizeText(std::uint64_t bytes, TextLanguage language = TextLanguage::Russian);
// The text of a group number: "нет" ("none" in English) for no group, else the number.
std::string GroupText(std::uint32_t group, TextLanguage language = TextLanguage::Russian);
// A scaled size with two, one or no decimals, as the list views show it.
std::string ScaledNumberText(float value);

// What the plan of a division calls a medium before its number, as the Results page lists it.
inline constexpr std::string_view MediumCaption = "Носитель ";
