// The pager's own figures for a long run: each one follows what the process holds.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/ResourceUse_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

TEST(ResourceUse, EachFigureFollowsWhatTheProcessHolds) {
  const uint32_t user = ResourceUse(Resource::UserObjects), kib = ResourceUse(Resource::PrivateKib);
  test::TestWindows windows;
  for (int i = 0; i < 3; ++i) windows.Open(10, 10, 50, 50);
  const uint32_t gdi = ResourceUse(Resource::GdiObjects);
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 20; ++i) brushes.push_back(::CreateSolidBrush(RGB(i, 0, 0)));
  std::vector<char> block(8 << 20, 1);
  EXPECT_GE(ResourceUse(Resource::GdiObjects), gdi + 20);
  EXPECT_GE(ResourceUse(Resource::UserObjects), user + 3);
  EXPECT_GE(ResourceUse(Resource::PrivateKib), kib + 8000) << "an 8 MiB block, written";
  for (HBRUSH b : brushes) ::DeleteObject(b);
  EXPECT_EQ(ResourceUse(Resource::GdiObjects), gdi) << "deleted objects no longer count";
  EXPECT_GT(block[4 << 20], 0);
}

}  // namespace
}  // namespace korvi
