// Reading the basic section of PIF files through the file system.
#include <gtest/gtest.h>

#include <vector>

#include "buttons/PifFile.h"
#include "support/FakePlatform.h"

namespace korvi {
namespace {

class PifFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    files.Files[name].assign(bytes.begin(), bytes.end());
    return name;
  }
  static std::vector<uint8_t> Record(std::size_t size = 369) {
    std::vector<uint8_t> r(size, 0);
    auto put = [&](std::size_t at, const std::string& s) { std::copy(s.begin(), s.end(), r.begin() + at); };
    put(36, "C:\\DOS\\EDIT.COM");
    put(101, "C:\\WORK");
    put(165, "/H notes.txt");
    return r;
  }
  bool Read(const std::string& name) { return pif.ReadPif(files, name); }
  test::FakeFileSystem files;
  TPifFile pif;
};

TEST_F(PifFileTest, ReadsTheThreeFieldsAtTheirOffsets) {
  std::vector<uint8_t> r = Record(545);  // a real PIF carries extension sections after the basic one
  r[99] = 'X';                           // bytes between the fields are not part of any text
  ASSERT_TRUE(Read(Write("edit.pif", r)));
  EXPECT_TRUE(pif.PifOk());
  EXPECT_EQ(pif.PifProgram(), "C:\\DOS\\EDIT.COM");
  EXPECT_EQ(pif.PifStartDir(), "C:\\WORK");
  EXPECT_EQ(pif.PifParams(), "/H notes.txt");
}

TEST_F(PifFileTest, FullFieldsWithoutZeroEndAtTheFieldEdge) {
  std::vector<uint8_t> r(369, 0);
  std::fill(r.begin() + 36, r.begin() + 99, 'P');    // 63 bytes
  std::fill(r.begin() + 99, r.begin() + 101, 'x');   // the neighbour must not leak in
  std::fill(r.begin() + 101, r.begin() + 165, 'D');  // 64 bytes
  std::fill(r.begin() + 165, r.begin() + 229, ' ');  // 64 blanks: not trimmed
  std::fill(r.begin() + 229, r.end(), 'y');
  ASSERT_TRUE(Read(Write("full.pif", r)));
  EXPECT_EQ(pif.PifProgram(), std::string(63, 'P'));
  EXPECT_EQ(pif.PifStartDir(), std::string(64, 'D'));
  EXPECT_EQ(pif.PifParams(), std::string(64, ' '));
}

TEST_F(PifFileTest, ShortMissingOrFolderGiveFalse) {
  EXPECT_FALSE(Read(Write("short.pif", Record(368))));
  EXPECT_FALSE(pif.PifOk());
  EXPECT_TRUE(Read(Write("ok.pif", Record())));
  EXPECT_FALSE(Read("missing.pif"));
  EXPECT_FALSE(Read(Write("empty.pif", {})));
  files.Directories["folder.pif"] = true;
  EXPECT_FALSE(Read("folder.pif"));
}

TEST_F(PifFileTest, EachReadReplacesTheLast) {
  ASSERT_TRUE(Read(Write("a.pif", Record())));
  std::vector<uint8_t> other(369, 0);
  other[36] = 'B';
  ASSERT_TRUE(Read(Write("b.pif", other)));
  EXPECT_EQ(pif.PifProgram(), "B");
  EXPECT_EQ(pif.PifStartDir(), "");
}

}  // namespace
}  // namespace korvi
