#include "Collectionitems.h"

#include <gtest/gtest.h>

TEST(Collectionitems, Placeholder) { SUCCEED(); }
