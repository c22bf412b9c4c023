// Korvi8.exe starts on whatever its settings file holds, and never destroys it.
#include <gtest/gtest.h>

#include <string>

#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

std::string Binary(size_t size) {
  std::string s(size, '\0');
  uint32_t x = 2463534242u;
  for (char& c : s) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x);
  }
  return s;
}

TEST(HostileSettingsEndToEnd, StartsOnDefaultsAndLeavesTheFileAlone) {
  const std::string huge = Binary(50u << 20);  // 50 MB of noise
  const std::string cases[] = {
      "",
      huge,
      "[DESKTOP]\r\nCOUNT=" + std::string(10000, '9') + "\r\n[FORM]\r\nEDGE=" + std::string(10000, 'x') + "\r\n",
      "[BUTTON11]\r\nVISIBLE=1\r\nWIDTH=-5\r\nHEIGHT=99999999\r\nFONT=,,,,\r\nGLYPH=" + std::string(5000, 'g') + "\r\n",
  };
  int n = 0;
  for (const std::string& text : cases) {
    ++n;
    PagerSession pager(nullptr);
    ASSERT_TRUE(test::WriteFileBytes(pager.IniPath(), text));
    ASSERT_TRUE(pager.Start()) << "case " << n << ": the pager did not come up";
    RECT r = pager.PagerRect();
    EXPECT_GT(r.bottom - r.top, 0) << "case " << n;
    // Auto-hide is on in every case and the mouse is away: the panel hides once the
    // timer has ticked, so the pager has lived through its ticks.
    EXPECT_TRUE(test::PumpUntil([&] { RECT h = pager.PagerRect(); return h.bottom - h.top == 3; }, 10000))
        << "case " << n << ": the panel did not hide";
    EXPECT_TRUE(pager.Running()) << "case " << n;
    pager.Close();
    if (n == 2) {
      EXPECT_EQ(pager.ReadIni().size(), huge.size()) << "an oversized file is not overwritten";
    }
  }
}

}  // namespace
}  // namespace korvi::e2e
