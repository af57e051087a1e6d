#include <gtest/gtest.h>

#include "platform/pure/LongPaths.h"

TEST(LongPaths, AFullPathTakesTheFormWindowsTakesAtAnyLength) {
    EXPECT_EQ(platform::LongForm(LR"(C:\a)"), LR"(\\?\C:\a)");
    EXPECT_EQ(platform::LongForm(LR"(\\sunucu\sinav\a)"), LR"(\\?\UNC\sunucu\sinav\a)");
    EXPECT_EQ(platform::LongForm(LR"(\\?\C:\a)"), LR"(\\?\C:\a)");
    EXPECT_EQ(platform::LongForm(L"C:"), L"C:");
}
