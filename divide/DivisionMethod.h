// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two ways of dividing: each medium in turn as full as the search manages (the default), or
// all units onto as few media as can be found.
enum class DivisionMethod { FillEachMedium = 0, FewestMedia = 1 };
