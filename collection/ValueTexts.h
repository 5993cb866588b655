// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "items/CollectionKind.h"

// The text of a size or playing time, by the collection's type: bytes as "%d Б" or scaled with
// " кБ", " МБ", " ГБ"; hundredths of a second as h:mm:ss, or mm:ss under an hour; nothing for
// any other type.
std::string ValueTextOf(CollectionKind type, std::uint64_t value);
// The text of an item's group: its number, or the word for none.
std::string GroupText(std::uint32_t group);
// A scaled size with two, one or no decimals, as the list views show it.
std::string ScaledNumberText(float value);

// What the plan of a division calls a medium before its number, as the Results page lists it.
inline constexpr std::string_view MediumCaption = "Носитель ";
