// Reading the basic section of PIF files from real files.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "buttons/PifFile.h"

namespace korvi {
namespace {

namespace fs = std::filesystem;

class PifFileTest : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("korvi-pif-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    fs::path p = dir / name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return p.string();
  }
  static std::vector<uint8_t> Record(std::size_t size = 369) {
    std::vector<uint8_t> r(size, 0);
    auto put = [&](std::size_t at, const std::string& s) { std::copy(s.begin(), s.end(), r.begin() + at); };
    put(36, "C:\\DOS\\EDIT.COM");
    put(101, "C:\\WORK");
    put(165, "/H notes.txt");
    return r;
  }
  TPifFile pif;
};

TEST_F(PifFileTest, ReadsTheThreeFieldsAtTheirOffsets) {
  std::vector<uint8_t> r = Record(545);  // a real PIF carries extension sections after the basic one
  r[99] = 'X';                           // bytes between the fields are not part of any text
  ASSERT_TRUE(pif.ReadPif(Write("edit.pif", r)));
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
  ASSERT_TRUE(pif.ReadPif(Write("full.pif", r)));
  EXPECT_EQ(pif.PifProgram(), std::string(63, 'P'));
  EXPECT_EQ(pif.PifStartDir(), std::string(64, 'D'));
  EXPECT_EQ(pif.PifParams(), std::string(64, ' '));
}

TEST_F(PifFileTest, ShortMissingOrFolderGiveFalse) {
  EXPECT_FALSE(pif.ReadPif(Write("short.pif", Record(368))));
  EXPECT_FALSE(pif.PifOk());
  EXPECT_TRUE(pif.ReadPif(Write("ok.pif", Record())));
  EXPECT_FALSE(pif.ReadPif((dir / "missing.pif").string()));
  EXPECT_FALSE(pif.ReadPif(Write("empty.pif", {})));
  fs::create_directory(dir / "folder.pif");
  EXPECT_FALSE(pif.ReadPif((dir / "folder.pif").string()));
}

TEST_F(PifFileTest, EachReadReplacesTheLast) {
  ASSERT_TRUE(pif.ReadPif(Write("a.pif", Record())));
  std::vector<uint8_t> other(369, 0);
  other[36] = 'B';
  ASSERT_TRUE(pif.ReadPif(Write("b.pif", other)));
  EXPECT_EQ(pif.PifProgram(), "B");
  EXPECT_EQ(pif.PifStartDir(), "");
}

}  // namespace
}  // namespace korvi
