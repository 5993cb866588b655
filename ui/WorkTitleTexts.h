// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "platform/WorkTitle.h"

// The words of an operation's progress title, as the window and the tool show it:
// "Носитель №2 Сбор файлов в один каталог...".
QString WorkTitleText(const WorkTitle& title);
