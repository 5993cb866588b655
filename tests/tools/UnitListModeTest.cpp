#include "UnitListMode.h"

#include <gtest/gtest.h>
