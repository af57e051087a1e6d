#include <gtest/gtest.h>

#include "tests/win/ProgramUnderTest.h"

using namespace std::chrono_literals;

// The first GUI start in a fresh Wine prefix takes about 11 s, hence the generous wait.
TEST(Launch, ShowsTheExamWindowFullScreenAndExitsWithZeroWhenClosed) {
    testing_pc1::ProgramUnderTest program;
    const HWND window = program.WaitForWindow(L"TSinavForm", 60s);
    ASSERT_NE(window, nullptr);

    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bounds.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(bounds.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, 0);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(10s), 0u);
}
