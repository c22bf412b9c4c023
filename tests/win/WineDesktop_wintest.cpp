// The Wine prefix the tests run in: a virtual desktop of 1024 x 768, larger X screen around it.
// Every window-position test counts in screen widths, so a prefix whose desktop settings did
// not take effect (the registry written too early, a new architecture's prefix) must fail here
// first and plainly, not as a scatter of wrong coordinates elsewhere.
#include <gtest/gtest.h>
#include <windows.h>

TEST(WineDesktop, TheVirtualDesktopIs1024By768) {
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1024) << "screen width: the virtual desktop setting is not in force";
  EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), 768) << "screen height: the virtual desktop setting is not in force";
  RECT desk{};
  ASSERT_TRUE(::GetWindowRect(::GetDesktopWindow(), &desk));
  EXPECT_EQ(desk.right - desk.left, 1024) << "the desktop window does not span the virtual desktop";
}
