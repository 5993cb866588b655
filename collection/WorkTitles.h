// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

#include "platform/TextLanguage.h"

// What is done to a medium while the progress window shows.
enum class MediumWork { Collecting, MakingImage };

// The progress window's title while a medium, by its number, is worked on:
// "Носитель №2 Сбор файлов в один каталог..." or, in English,
// "Medium #2 Gathering the files into one folder...".
std::string MediumWorkTitle(MediumWork work, std::size_t number, TextLanguage language);
