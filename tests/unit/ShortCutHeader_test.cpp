// The show command in a shell-link file's fixed header.
#include <gtest/gtest.h>

#include <vector>

#include "buttons/ShortCut.h"

namespace korvi {
namespace {

std::vector<uint8_t> Header(uint32_t show) {
  std::vector<uint8_t> h(0x4C + 10, 0);
  h[0] = 0x4C;
  const uint8_t clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
  std::copy(clsid, clsid + 16, h.begin() + 4);
  for (int i = 0; i < 4; ++i) h[0x3C + i] = (show >> (8 * i)) & 0xFF;
  return h;
}

TEST(ShellLinkShowCommand, ReadsTheStoredShowCommand) {
  EXPECT_EQ(ShellLinkShowCommand(Header(3)), 3);
  EXPECT_EQ(ShellLinkShowCommand(Header(7)), 7);
  EXPECT_EQ(ShellLinkShowCommand(Header(1)), 1);
}

TEST(ShellLinkShowCommand, UnknownValuesReadAsNormal) {
  EXPECT_EQ(ShellLinkShowCommand(Header(0)), 1);
  EXPECT_EQ(ShellLinkShowCommand(Header(2)), 1);
  EXPECT_EQ(ShellLinkShowCommand(Header(0x103)), 1);
}

TEST(ShellLinkShowCommand, OtherFilesAreNotShellLinks) {
  auto h = Header(3);
  h[0] = 0x4D;
  EXPECT_FALSE(ShellLinkShowCommand(h)) << "header size";
  h = Header(3);
  h[19] = 0x47;
  EXPECT_FALSE(ShellLinkShowCommand(h)) << "class id";
  h = Header(3);
  h.resize(0x4B);
  EXPECT_FALSE(ShellLinkShowCommand(h)) << "shorter than the header";
  EXPECT_FALSE(ShellLinkShowCommand({}));
}

}  // namespace
}  // namespace korvi
