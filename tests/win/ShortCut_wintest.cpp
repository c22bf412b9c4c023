// Reading real shortcuts, made here through the shell link object and saved to disk.
#include <gtest/gtest.h>

#include "TestFiles_win.h"
#include "buttons/ShortCut_win.h"

namespace korvi {
namespace {

class ShortCutTest : public ::testing::Test {
 protected:
  Win32ShortCut reader;  // first: initialises COM for the links made below
  test::TempFolder temp;

  // Saves a shortcut to `target` and returns its file name.
  std::string MakeLink(const std::string& name, const std::string& target, const std::string& args = "",
                       const std::string& dir = "", int show = SW_SHOWNORMAL) {
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    const std::string path = temp / name;
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&link)), S_OK);
    if (!link) return path;
    link->SetPath(target.c_str());
    link->SetArguments(args.c_str());
    link->SetWorkingDirectory(dir.c_str());
    link->SetShowCmd(show);
    if (link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)) == S_OK) {
      wchar_t wide[MAX_PATH] = {};
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
      EXPECT_EQ(file->Save(wide, TRUE), S_OK);
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

// Names reach the shell link through the ANSI code page, so a non-ASCII name opens
// the same file here as in the shell (a byte-per-character copy would not).
TEST_F(ShortCutTest, NonAsciiNameIsConvertedWithTheAnsiCodePage) {
  char name[32] = {};
  BOOL lost = FALSE;
  // "Café" and "Résumé" in this system's ANSI code page.
  if (!WideCharToMultiByte(CP_ACP, 0, L"Caf\u00E9 R\u00E9sum\u00E9", -1, name, sizeof name, nullptr, &lost) || lost)
    GTEST_SKIP() << "the ANSI code page " << GetACP() << " has no e acute";
  const std::string target = MakeFile(std::string(name) + ".exe");
  const std::string link = MakeLink(std::string(name) + ".lnk", target);
  ASSERT_NE(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES) << "the shortcut was saved";
  ASSERT_TRUE(reader.ResolveShortcut(link));
  EXPECT_TRUE(reader.ShortcutOk());
  EXPECT_TRUE(lstrcmpiA(reader.ShortcutPath().c_str(), target.c_str()) == 0) << reader.ShortcutPath();
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
