// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WorkTitleTexts.h"

#include <gtest/gtest.h>

namespace {

// The progress titles as the window and the tool show them: a word changed, a work given the
// other's words or the medium's number left out would fail here.
TEST(WorkTitleTexts, EveryWorkIsWordedWithItsMedium) {
    const struct {
        WorkTitle Title;
        const char* Text;
    } cases[] = {
        {{MediumWork::Collecting, 2}, "Носитель №2 Сбор файлов в один каталог..."},
        {{MediumWork::MakingImage, 12}, "Носитель №12 Создание образа диска..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WorkTitleText(c.Title).toStdString(), c.Text);
}

}  // namespace
