// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextLanguage.h"

// Puts the window's texts and Qt's own (standard buttons, file and folder dialogs) into the
// language: the program's translation from the translations folder installed beside it, Qt's
// from Qt's own. A translation that is not installed leaves its texts in their source language
// (the program's Russian, Qt's English); the program still runs. A later call replaces the
// translations of an earlier one.
void UseLanguage(TextLanguage language);

// The language of the last UseLanguage; Russian before any.
TextLanguage UsedLanguage();
