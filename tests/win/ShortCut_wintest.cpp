// Reading real shortcuts, made here through the shell link object and saved to disk.
#include <gtest/gtest.h>

#include "TestFiles_win.h"
#include "buttons/ShortCut_win.h"

namespace korvi {
namespace {

// COM for the links the tests make (the reader initialises it only when it first reads).
struct ComForThisThread {
  ComForThisThread() { ::CoInitialize(nullptr); }
  ~ComForThisThread() { ::CoUninitialize(); }
};

class ShortCutTest : public ::testing::Test {
 protected:
  ComForThisThread com;  // first: before any link is made, after the reader is gone
  Win32ShortCut reader;
  test::TempFolder temp;

  // Saves a shortcut to `target` and returns its file name.
  std::string MakeLink(const std::string& name, const std::string& target, const std::string& args = "",
                       const std::string& dir = "", int show = SW_SHOWNORMAL) {
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    const std::string path = temp / name;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                               reinterpret_cast<void**>(&link)), S_OK);
    if (!link) return path;
    link->SetPath(Widen(target).c_str());
    link->SetArguments(Widen(args).c_str());
    link->SetWorkingDirectory(Widen(dir).c_str());
    link->SetShowCmd(show);
    if (link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) == S_OK) {
      EXPECT_EQ(file->Save(Widen(path).c_str(), TRUE), S_OK);
      file->Release();
    }
    link->Release();
    return path;
  }
  std::string MakeFile(const std::string& name) {
    test::WriteBytes(temp / name, {'x'});
    return temp / name;
  }
};

TEST_F(ShortCutTest, FileTargetWithArgumentsAndDirectory) {
  const std::string target = MakeFile("tool.exe");
  const std::string link = MakeLink("tool.lnk", target, "  -v notes.txt ", temp.Path());
  ASSERT_TRUE(reader.ResolveShortcut(link));
  EXPECT_TRUE(reader.ShortcutOk());
  EXPECT_TRUE(lstrcmpiA(reader.ShortcutPath().c_str(), target.c_str()) == 0) << reader.ShortcutPath();
  EXPECT_EQ(reader.ShortcutArgs(), "-v notes.txt") << "trimmed";
  EXPECT_TRUE(lstrcmpiA(reader.ShortcutDir().c_str(), temp.Path().c_str()) == 0 ||
              lstrcmpiA((reader.ShortcutDir() + "\\").c_str(), temp.Path().c_str()) == 0)
      << reader.ShortcutDir();
  EXPECT_EQ(reader.ShortcutShowCmd(), SW_SHOWNORMAL);
  EXPECT_EQ(reader.ShortcutFileName(), link);
  // Arguments come through at their full length, far beyond a path's.
  std::string longArgs;
  while (longArgs.size() < 1000) longArgs += "-option" + std::to_string(longArgs.size()) + " ";
  longArgs.resize(1000, 'x');
  ASSERT_TRUE(reader.ResolveShortcut(MakeLink("long.lnk", target, longArgs, temp.Path())));
  EXPECT_EQ(reader.ShortcutArgs(), longArgs);
}

TEST_F(ShortCutTest, FolderTargetGainsATrailingBackslash) {
  const std::string folder = temp / "Documents";
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(reader.ResolveShortcut(MakeLink("docs.lnk", folder)));
  EXPECT_TRUE(lstrcmpiA(reader.ShortcutPath().c_str(), (folder + "\\").c_str()) == 0) << reader.ShortcutPath();
}

TEST_F(ShortCutTest, StoredShowCommandComesThrough) {
  const std::string target = MakeFile("big.exe");
  ASSERT_TRUE(reader.ResolveShortcut(MakeLink("max.lnk", target, "", "", SW_SHOWMAXIMIZED)));
  EXPECT_EQ(reader.ShortcutShowCmd(), 3) << "maximised";
  ASSERT_TRUE(reader.ResolveShortcut(MakeLink("min.lnk", target, "", "", SW_SHOWMINNOACTIVE)));
  EXPECT_EQ(reader.ShortcutShowCmd(), 7) << "minimised without activation";
  ASSERT_TRUE(reader.ResolveShortcut(MakeLink("normal.lnk", target)));
  EXPECT_EQ(reader.ShortcutShowCmd(), 1);
}

TEST_F(ShortCutTest, NameIsUsedAsGivenAndKeptTrimmed) {
  const std::string link = MakeLink("tool.lnk", MakeFile("tool.exe"));
  EXPECT_FALSE(reader.ResolveShortcut(" " + link + " ")) << "no file has the blank-padded name";
  EXPECT_EQ(reader.ShortcutFileName(), link);
}

// Names reach the shell link as Unicode, so a shortcut named in any script opens, and
// its arguments and folder come through whole. (Wine's shell keeps a target's name in
// the ANSI code page when it saves a link, so the target in another script is the
// ANSI one here.)
TEST_F(ShortCutTest, NonAsciiNamesComeThroughWhole) {
  const std::string cafe = "Caf\xC3\xA9 R\xC3\xA9sum\xC3\xA9", other = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xCE\xB1\xCE\xB2 \xE2\x9C\x93";
  for (const std::string& name : {cafe, other}) {
    const std::string folder = temp / name;
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    const std::string target = MakeFile(cafe + ".exe");
    const std::string link = MakeLink(name + ".lnk", target, "/" + name, folder);
    ASSERT_NE(GetFileAttributesW(Widen(link).c_str()), INVALID_FILE_ATTRIBUTES) << "the shortcut was saved";
    ASSERT_TRUE(reader.ResolveShortcut(link)) << name;
    EXPECT_TRUE(reader.ShortcutOk());
    EXPECT_TRUE(lstrcmpiW(Widen(reader.ShortcutPath()).c_str(), Widen(target).c_str()) == 0) << reader.ShortcutPath();
    EXPECT_EQ(reader.ShortcutArgs(), "/" + name);
    EXPECT_TRUE(lstrcmpiW(Widen(reader.ShortcutDir()).c_str(), Widen(folder).c_str()) == 0) << reader.ShortcutDir();
  }
}

TEST_F(ShortCutTest, MissingFileGivesFalseAndEmptyTexts) {
  ASSERT_TRUE(reader.ResolveShortcut(MakeLink("ok.lnk", MakeFile("a.exe"), "-x", temp.Path())));
  EXPECT_FALSE(reader.ResolveShortcut(temp / "nothing.lnk"));
  EXPECT_FALSE(reader.ShortcutOk());
  EXPECT_EQ(reader.ShortcutPath(), "");
  EXPECT_EQ(reader.ShortcutArgs(), "");
  EXPECT_EQ(reader.ShortcutDir(), "");
}

TEST_F(ShortCutTest, OverlongNameFailsAtOnce) {
  const std::string name = temp.Path() + std::string(255 - temp.Path().size() - 4, 'n') + ".lnk";
  ASSERT_EQ(name.size(), 255u);
  EXPECT_FALSE(reader.ResolveShortcut(name));
  EXPECT_EQ(reader.ShortcutPath(), "");
  EXPECT_FALSE(reader.ResolveShortcut(name + std::string(300, 'x')));
}

TEST_F(ShortCutTest, DamagedOrForeignFilesGiveFalse) {
  const std::string target = MakeFile("t.exe");
  test::Buf lnk = test::ReadBytes(MakeLink("good.lnk", target));
  ASSERT_GT(lnk.size(), 0x4Cu);
  test::WriteBytes(temp / "cut.lnk", test::Buf(lnk.begin(), lnk.begin() + 0x30));
  test::WriteBytes(temp / "text.lnk", {'h', 'e', 'l', 'l', 'o'});
  test::WriteBytes(temp / "empty.lnk", {});
  CreateDirectoryA((temp / "folder.lnk").c_str(), nullptr);
  for (const char* name : {"cut.lnk", "text.lnk", "empty.lnk", "folder.lnk"}) {
    EXPECT_FALSE(reader.ResolveShortcut(temp / name)) << name;
    EXPECT_EQ(reader.ShortcutPath(), "") << name;
  }
}

}  // namespace
}  // namespace korvi
