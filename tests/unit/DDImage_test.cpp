// The image chooser's logic: what a file selection shows, how the index is read, and
// when the preview is shrunk.
#include <gtest/gtest.h>

#include "buttons/DDImage.h"
#include "support/FakeDialogs.h"

namespace korvi {
namespace {

class ImageDialogTest : public ::testing::Test {
 protected:
  ImageDialogTest() {
    pictures.Icons["C:\\Apps\\three.exe"] = 3;
    pictures.Icons["C:\\Apps\\lib.DLL"] = 1;
    pictures.Sizes["C:\\Pics\\big.bmp"] = {640, 480};
    pictures.Sizes["C:\\Pics\\edge.bmp"] = {160, 160};
    pictures.Sizes["C:\\Pics\\tall.jpg"] = {10, 161};
    dialog.AttachHost(&host);
  }
  test::FakePictures pictures;
  test::FakeImageHost host;
  TImageDialog dialog{&pictures};
};

TEST_F(ImageDialogTest, SelectionFillsPathCountIndexAndPreview) {
  struct Case {
    const char* folder;
    const char* name;
    const char* fileName;
    const char* count;
    bool indexEnabled;
    bool shrunk;
  };
  const Case cases[] = {
      {"C:\\Apps\\", "three.exe", "C:\\Apps\\three.exe", "3 Images", true, false},
      {"C:\\Apps", "lib.DLL", "C:\\Apps\\lib.DLL", "1 Images", true, false},  // folder without "\", capitals
      {"C:\\Pics\\", "none.exe", "C:\\Pics\\none.exe", "0 Images", true, false},
      {"C:\\Pics\\", "big.bmp", "C:\\Pics\\big.bmp", "", false, true},
      {"C:\\Pics\\", "edge.bmp", "C:\\Pics\\edge.bmp", "", false, false},  // exactly the box: kept
      {"C:\\Pics\\", "tall.jpg", "C:\\Pics\\tall.jpg", "", false, true},   // one pixel too high
      {"C:\\Pics\\", "", "", "", false, false},                            // re-read: nothing selected
      {"C:\\Pics\\", "exe.txt", "C:\\Pics\\exe.txt", "", false, false},
  };
  for (const Case& k : cases) {
    dialog.Spin1Typed("5");  // left over from before
    pictures.Loads.clear();
    const int fits = pictures.Fits;
    dialog.FileListBox1Change(k.folder, k.name);
    EXPECT_EQ(dialog.FileName, k.fileName);
    EXPECT_EQ(dialog.Static1, k.fileName);
    EXPECT_EQ(dialog.Static2, k.count) << k.name;
    EXPECT_EQ(dialog.Spin1Enabled, k.indexEnabled) << k.name;
    EXPECT_EQ(dialog.Spin1.Text, "0");
    EXPECT_EQ(dialog.ImageIndex, 0);
    EXPECT_EQ(pictures.Loads, std::vector<std::string>{std::string(k.fileName) + "#0"}) << "one preview load";
    EXPECT_EQ(pictures.Fits - fits, k.shrunk ? 1 : 0) << k.name;
    ASSERT_NE(dialog.Preview, nullptr);
    if (k.shrunk) {
      EXPECT_EQ(dialog.Preview->Width(), 160);
    }
  }
}

TEST_F(ImageDialogTest, IndexIsReadAsTypedAndSnapsWhenTheFieldIsLeft) {
  dialog.FileListBox1Change("C:\\Apps\\", "three.exe");
  struct Step {
    const char* typed;  // nullptr: leave the field
    int32_t index;
    const char* text;
  };
  const Step steps[] = {
      {"2", 2, "2"},   {"3 ", 3, "3 "}, {" 1", 1, " 1"},        // blanks around the number are read past
      {"abc", 0, "abc"}, {nullptr, 0, "abc"},                 // no number: reads 0, stays as typed
      {"2000", 2000, "2000"}, {nullptr, 1024, "1024"},          // used as typed until left
      {"-3", -3, "-3"}, {nullptr, 0, "0"},
  };
  for (const Step& s : steps) {
    if (s.typed)
      dialog.Spin1Typed(s.typed);
    else
      dialog.Spin1Exit();
    EXPECT_EQ(dialog.ImageIndex, s.index) << (s.typed ? s.typed : "(exit)");
    EXPECT_EQ(dialog.Spin1.Text, s.text);
  }
  EXPECT_EQ(pictures.Loads.back(), "C:\\Apps\\three.exe#0");
  dialog.Spin1Step(+1);
  dialog.Spin1Step(+1);
  EXPECT_EQ(dialog.ImageIndex, 2);
  EXPECT_EQ(pictures.Loads.back(), "C:\\Apps\\three.exe#2") << "each step shows its icon";
  dialog.Spin1Typed("1024");
  dialog.Spin1Step(+1);
  EXPECT_EQ(dialog.ImageIndex, 1024) << "the arrows stop at the top";
}

TEST_F(ImageDialogTest, ResultSurvivesCancelAndAnUntouchedOkReturnsItAgain) {
  host.User = [&] {
    dialog.FileListBox1Change("C:\\Apps\\", "three.exe");
    dialog.Spin1Typed("1");
  };
  host.Result = false;
  EXPECT_FALSE(dialog.Execute());
  host.User = nullptr;
  host.Result = true;
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "C:\\Apps\\three.exe");
  EXPECT_EQ(dialog.ImageIndex, 1);
  // A new filter re-reads the list: OK then returns no file.
  host.User = [&] { dialog.FileListBox1Change("C:\\Apps\\", ""); };
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "");
  EXPECT_EQ(dialog.ImageIndex, 0);
  EXPECT_FALSE(dialog.Spin1Enabled);
}

}  // namespace
}  // namespace korvi

namespace korvi {
namespace {

TEST(ImageDialogLists, FiltersMatchCaseBlindAndFoldersChainFromTheRoot) {
  struct Case {
    const char* name;
    const char* patterns;
    bool match;
  };
  const Case cases[] = {
      {"README", "*.*", true},          {"photo.JPEG", "*.jpg;*.jpe;*.jpeg", true},
      {"photo.jpeg", "*.jpe", false},   {"a.b.bmp", "*.bmp", true},
      {"bmp", "*.bmp", false},          {"x.emf", "*.bmp;*.jpg;*.jpe;*.jpeg;*.wmf;*.emf", true},
      {"setup.exe.txt", "*.exe", false}, {"Lib.DLL", "*.dll", true},
      {"a.bmp", ";;*.bmp", true},       {"a.bmp", "", false},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesFilter(c.name, c.patterns), c.match) << c.name << " / " << c.patterns;

  EXPECT_EQ(FolderChain("C:\\Pictures\\2024"), (std::vector<std::string>{"C:\\", "C:\\Pictures\\", "C:\\Pictures\\2024\\"}));
  EXPECT_EQ(FolderChain("C:\\Pictures\\"), (std::vector<std::string>{"C:\\", "C:\\Pictures\\"}));
  EXPECT_EQ(FolderChain("D:\\"), (std::vector<std::string>{"D:\\"}));
  EXPECT_EQ(FolderChain("C:\\a\\\\b"), (std::vector<std::string>{"C:\\", "C:\\a\\", "C:\\a\\b\\"})) << "doubled slash";
}

}  // namespace
}  // namespace korvi
