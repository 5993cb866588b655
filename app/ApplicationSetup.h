// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program sets up before its window: its name, icon and desktop entry. The window puts
// its texts and Qt's own into its language itself (app/WindowLanguage.h).
void SetUpApplication();
