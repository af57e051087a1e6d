#include <gtest/gtest.h>

#include <string>

#include "platform/pure/LongPaths.h"

namespace {

TEST(LongPaths, AFullPathTakesTheFormWindowsTakesAtAnyLength) {
    const struct {
        std::wstring name, path, longForm;
    } cases[] = {
        {L"a drive's folder", LR"(C:\Tutanaklar\a)", LR"(\\?\C:\Tutanaklar\a)"},
        {L"a share", LR"(\\sunucu\sinav\Tutanaklar)", LR"(\\?\UNC\sunucu\sinav\Tutanaklar)"},
        {L"already long", LR"(\\?\C:\a)", LR"(\\?\C:\a)"},
        {L"already long on a share", LR"(\\?\UNC\sunucu\sinav)", LR"(\\?\UNC\sunucu\sinav)"},
        {L"a device", LR"(\\.\COM1)", LR"(\\.\COM1)"},
        {L"a drive alone, not a full path", L"C:", L"C:"},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::LongForm(c.path), c.longForm) << testing::PrintToString(c.name);
}

}  // namespace
