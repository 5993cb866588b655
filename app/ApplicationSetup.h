// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

// What the program sets up before its window: its name and icon, and Qt's own texts (the
// standard buttons, the file and folder dialogs) in Russian like the window's.
void SetUpApplication(QApplication& application);
