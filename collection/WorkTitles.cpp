// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/WorkTitles.h"

std::string MediumWorkTitle(MediumWork work, std::size_t number, TextLanguage language) {
    const bool english = language == TextLanguage::English;
    const char* const before = english ? "Medium #" : "Носитель №";
    const char* after = nullptr;
    switch (work) {
        case MediumWork::Collecting:
            after = english ? " Gathering the files into one folder..."
                            : " Сбор файлов в один каталог...";
            break;
        case MediumWork::MakingImage:
            after = english ? " Making the disc image..." : " Создание образа диска...";
            break;
    }
    return before + std::to_string(number) + after;
}
