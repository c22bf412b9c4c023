// The settings file stays a Windows INI file: our reader and writer agree with the
// system's own profile functions, and saving never leaves a half-written file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "main/main.h"
#include "panel/IniFile.h"
#include "panel/Settings.h"
#include "panel/TextEncoding.h"
#include "platform/WideText_win.h"
#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

using Query = std::pair<std::string, std::string>;  // section, key

// What GetPrivateProfileStringW answers, as UTF-8, or nothing when it gives the default.
std::optional<std::string> SystemRead(const std::string& file, const Query& q) {
  std::vector<wchar_t> buf(2048);
  const wchar_t* kMissing = L"\x01missing\x01";
  DWORD n = ::GetPrivateProfileStringW(Widen(q.first).c_str(), Widen(q.second).c_str(), kMissing, buf.data(),
                                       static_cast<DWORD>(buf.size()), Widen(file).c_str());
  std::wstring v(buf.data(), n);
  if (v == kMissing) return std::nullopt;
  return Narrow(v);
}

std::string FileFor(const char* name) { return test::TempDir() + "\\" + name; }

// Tricky files as people and other programs write them.
const char* const kFiles[] = {
    "[Form]\r\nedge = 3 \r\n  SIZE=  120\r\n",
    "; comment\r\n[FORM]\r\nHIDE=1\r\n;EDGE=4\r\n[form]\r\nEDGE=1\r\n",
    "[A]\r\nk=first\r\nk=second\r\nK=third\r\n",
    "[Q]\r\ndq=\"quoted value\"\r\nsq='single'\r\nhalf=\"open\r\nmixed=\"a'\r\ninner=a\"b\"c\r\n",
    "[S]\r\n  spaced key  =  value with inner  blanks  \r\nempty=\r\nnoequals\r\n=novalue\r\n",
    "[Unix]\nlf=only\nnext=line\n",
    "no section=here\r\n[T]\r\nx=1\r\n",
    "[  Blank Section  ]\r\nb=2\r\n",
};

const Query kQueries[] = {
    {"FORM", "EDGE"}, {"form", "size"}, {"Form", "HIDE"}, {"A", "k"},          {"a", "K"},
    {"Q", "dq"},      {"Q", "sq"},      {"Q", "half"},    {"Q", "mixed"},      {"Q", "inner"},
    {"S", "spaced key"}, {"S", "empty"}, {"S", "noequals"}, {"S", ""},       {"Unix", "lf"},
    {"unix", "next"}, {"T", "x"},       {"Blank Section", "b"}, {"missing", "key"}, {"FORM", "nothing"},
};

TEST(SettingsAgreement, OurReaderReadsWhatTheSystemReads) {
  int n = 0;
  for (const char* text : kFiles) {
    std::string file = FileFor(("agree" + std::to_string(++n) + ".ini").c_str());
    ASSERT_TRUE(test::WriteFileBytes(file, text));
    IniFile ours = IniFile::Parse(text);
    for (const Query& q : kQueries) {
      if (q.second.empty()) continue;  // an empty key name asks the system for all keys
      EXPECT_EQ(ours.Get(q.first, q.second), SystemRead(file, q))
          << "file " << n << ", [" << q.first << "] " << q.second;
    }
  }
}

TEST(SettingsAgreement, FilesWrittenByTheSystemReadBackIdentically) {
  std::string file = FileFor("written-by-system.ini");
  ::DeleteFileA(file.c_str());
  const std::vector<std::pair<Query, std::string>> writes = {
      {{"FORM", "EDGE"}, "3"},
      {{"form", "SIZE"}, "-5"},
      {{"BUTTON11", "CAPTION"}, "My Tool"},
      {{"BUTTON11", "PROGRAM"}, "C:\\Program Files\\tool.exe"},
      {{"BUTTON11", "FONT"}, "Arial, $80000008, 8, B---"},
      {{"BUTTON11", "HINT"}, "  leading blanks"},
      {{"BUTTON11", "ARGS"}, "\"quoted\""},
      {{"button11", "caption"}, "Replaced"},
      {{"WALLPAPER", "FILE1"}, std::string(3000, 'w')},
  };
  for (auto& [q, v] : writes)
    ASSERT_TRUE(::WritePrivateProfileStringA(q.first.c_str(), q.second.c_str(), v.c_str(), file.c_str()));
  IniFile ours = IniFile::Parse(test::ReadFileBytes(file));
  for (auto& [q, v] : writes) EXPECT_EQ(ours.Get(q.first, q.second), SystemRead(file, q)) << q.first << "/" << q.second;
  EXPECT_EQ(ours.Get("BUTTON11", "CAPTION"), "Replaced");
  EXPECT_EQ(ours.Get("WALLPAPER", "FILE1")->size(), 2047u) << "values come back at most 2047 characters long";
}

TEST(SettingsAgreement, FilesWrittenByUsReadBackIdenticallyThroughTheSystem) {
  std::string file = FileFor("written-by-us.ini");
  IniFile ini = IniFile::Parse("; kept\r\n[Other]\r\nkeep=me\r\n");
  const std::vector<std::pair<Query, std::string>> writes = {
      {{"FORM", "EDGE"}, "2"},
      {{"BUTTON12", "CAPTION"}, "Notes"},
      {{"BUTTON12", "HINT"}, "  blanks around  "},
      {{"BUTTON12", "ARGS"}, "\"C:\\My Documents\\a b.txt\""},
      {{"BUTTON12", "START"}, "'single'"},
      {{"BUTTON12", "GLYPH"}, ""},
      {{"WALLPAPER", "FILE2"}, std::string(2047, 'x')},
  };
  for (auto& [q, v] : writes) ini.Set(q.first, q.second, v);
  ASSERT_TRUE(test::WriteFileBytes(file, ini.Text()));
  for (auto& [q, v] : writes) EXPECT_EQ(SystemRead(file, q), v) << q.first << "/" << q.second;
  EXPECT_EQ(SystemRead(file, {"Other", "keep"}), "me");
}

TEST(SettingsAgreement, MissingFileReadsNothing) {
  std::string file = FileFor("no-such-settings.ini");
  ::DeleteFileA(file.c_str());
  EXPECT_EQ(SystemRead(file, {"FORM", "EDGE"}), std::nullopt);
  std::string content;
  Win32FileSystem files;
  EXPECT_EQ(files.ReadWholeFile(file, content, 1 << 20), FileSystem::ReadResult::Missing);
}

// Files with a UTF-8 or UTF-16 byte-order mark, and non-ASCII values in them.
TEST(SettingsAgreement, UnicodeFilesReadAsTheSystemReadsThem) {
  Win32FileSystem files;
  const std::string text = "; \xE6\x97\xA5\xE6\x9C\xAC\r\n[FORM]\r\nEDGE=3\r\n[BUTTON11]\r\n"
                           "CAPTION=Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5\r\nHINT=\"quoted\"\r\n[\xC3\x9C]\r\nk=v\r\n";
  const Query queries[] = {{"FORM", "EDGE"}, {"BUTTON11", "CAPTION"}, {"BUTTON11", "HINT"}, {"button11", "missing"}};
  int n = 0;
  for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    const std::string bytes = EncodeFromUtf8(text, e);
    const std::string file = FileFor(("unicode" + std::to_string(++n) + ".ini").c_str());
    ASSERT_TRUE(test::WriteFileBytes(file, bytes));
    const IniFile ours = ParseSettingsBytes(bytes, files);
    for (const Query& q : queries) {
      const char* kMissing = "\x01missing\x01";
      EXPECT_EQ(ours.ReadString(q.first, q.second, kMissing), SystemRead(file, q).value_or(kMissing))
          << "encoding " << n << ", [" << q.first << "] " << q.second;
    }
  }
}

// The pager's own save through the real file system.
class RealSave : public ::testing::Test {
 protected:
  Win32Platform platform;
  SharedState data;
  PagerSettings settings;
  test::FakeShellRecorder shell;

  void SetUp() override {
    std::string dir = test::TempDir() + "\\save" + std::to_string(++counter_);
    ::CreateDirectoryA(dir.c_str(), nullptr);
    data.SetProgramDir(dir);
  }
  static inline int counter_ = 0;
};

TEST_F(RealSave, SaveReadsBackThroughTheSystemAndKeepsForeignSections) {
  test::WriteFileBytes(data.SettingsPath, "[Mine]\r\nnote=kept\r\n");
  settings.Buttons[10].Enabled = settings.Buttons[10].Visible = true;
  settings.Buttons[10].Caption = "Editor";
  settings.Wallpapers[3] = "C:\\walls\\three.bmp";
  ASSERT_TRUE(SaveSettings(settings, data, platform.Files, shell));
  EXPECT_EQ(SystemRead(data.SettingsPath, {"Mine", "note"}), "kept");
  EXPECT_EQ(SystemRead(data.SettingsPath, {"BUTTON11", "CAPTION"}), "Editor");
  EXPECT_EQ(SystemRead(data.SettingsPath, {"FORM", "COLOR"}), "-2147483633");
  EXPECT_EQ(SystemRead(data.SettingsPath, {"WALLPAPER", "FILE3"}), "C:\\walls\\three.bmp");
  EXPECT_TRUE(shell.Errors.empty());
  DWORD attrs = ::GetFileAttributesA((data.SettingsPath + ".tmp").c_str());
  EXPECT_EQ(attrs, INVALID_FILE_ATTRIBUTES) << "no temporary file left behind";
}

TEST_F(RealSave, ReadOnlyFileIsLeftIntactAndTheUserIsTold) {
  const std::string before = "[FORM]\r\nEDGE=1\r\n";
  test::WriteFileBytes(data.SettingsPath, before);
  ::SetFileAttributesA(data.SettingsPath.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(SaveSettings(settings, data, platform.Files, shell));
  EXPECT_EQ(test::ReadFileBytes(data.SettingsPath), before) << "the old file is untouched";
  ASSERT_EQ(shell.Errors.size(), 1u);
  EXPECT_EQ(shell.Errors[0], "Unable to write to " + data.SettingsPath);
  ::SetFileAttributesA(data.SettingsPath.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(RealSave, UnicodeFileIsWrittenBackInItsEncodingWithItsAttributes) {
  const std::string text = "[Mine]\r\nnote=\xE6\x97\xA5\xE6\x9C\xAC\r\n";
  const std::string caption = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xE2\x9C\x93";  // Cyrillic and a tick
  test::WriteFileBytes(data.SettingsPath, EncodeFromUtf8(text, TextEncoding::Utf16LE));
  ::SetFileAttributesA(data.SettingsPath.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  settings = LoadSettings(data, platform.Files);
  settings.Buttons[10].Enabled = settings.Buttons[10].Visible = true;
  settings.Buttons[10].Caption = caption;
  ASSERT_TRUE(SaveSettings(settings, data, platform.Files, shell));
  const std::string bytes = test::ReadFileBytes(data.SettingsPath);
  EXPECT_EQ(DetectTextEncoding(bytes), TextEncoding::Utf16LE) << "still UTF-16";
  EXPECT_NE(DecodeToUtf8(bytes, TextEncoding::Utf16LE).find("note=\xE6\x97\xA5\xE6\x9C\xAC\r\n"), std::string::npos)
      << "the line the pager does not own is kept";
  EXPECT_EQ(SystemRead(data.SettingsPath, {"BUTTON11", "CAPTION"}), caption) << "the system reads our value back";
  EXPECT_EQ(SystemRead(data.SettingsPath, {"FORM", "EDGE"}), "2");
  EXPECT_EQ(::GetFileAttributesA(data.SettingsPath.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN))
      << "the file keeps its attributes";
  ::SetFileAttributesA(data.SettingsPath.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A program folder whose name needs characters of another script: the settings are
// read from and saved beside the program there, in every encoding.
TEST_F(RealSave, SettingsInAFolderNamedInAnotherScript) {
  const std::string dir = test::TempDir() + "\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xCE\xB1\xCE\xB2 \xE2\x9C\x93";
  ASSERT_TRUE(::CreateDirectoryW(Widen(dir).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
  data.SetProgramDir(dir);
  const std::string greek = "\xCE\xB1\xCE\xB2\xCE\xB3";
  for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    ASSERT_TRUE(test::WriteFileBytes(data.SettingsPath, EncodeFromUtf8("[FORM]\r\nEDGE=1\r\n[BUTTON11]\r\nVISIBLE=1\r\n"
                                                                        "CAPTION=" + greek + "\r\n", e)));
    settings = LoadSettings(data, platform.Files);
    EXPECT_EQ(settings.Form.Edge, edge::Top);
    EXPECT_EQ(settings.Buttons[10].Caption, greek);
    settings.Buttons[10].Hint = dir;
    ASSERT_TRUE(SaveSettings(settings, data, platform.Files, shell));
    EXPECT_EQ(SystemRead(data.SettingsPath, {"BUTTON11", "HINT"}), dir);
    EXPECT_EQ(SystemRead(data.SettingsPath, {"BUTTON11", "CAPTION"}), greek);
  }
  EXPECT_TRUE(shell.Errors.empty());
}

// Another program reading the settings file (a viewer, a virus scanner) holds it open
// for reading as the C runtime does, without sharing its deletion: a save that meets
// it waits for it to let go, and gives up, telling the user, when it holds on.
DWORD WINAPI CloseAfterAWhile(LPVOID handle) {
  ::Sleep(300);
  ::CloseHandle(static_cast<HANDLE>(handle));
  return 0;
}

TEST_F(RealSave, SaveWaitsForAReaderToLetGoOfTheFile) {
  for (const bool letsGo : {true, false}) {
    SCOPED_TRACE(letsGo ? "the reader lets go" : "the reader holds on");
    const std::string before = "[FORM]\r\nEDGE=1\r\n";
    test::WriteFileBytes(data.SettingsPath, before);
    shell.Errors.clear();
    HANDLE reader = ::CreateFileA(data.SettingsPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    HANDLE closer = letsGo ? ::CreateThread(nullptr, 0, CloseAfterAWhile, reader, 0, nullptr) : nullptr;
    const bool saved = SaveSettings(settings, data, platform.Files, shell);
    if (closer) {
      ::WaitForSingleObject(closer, INFINITE);
      ::CloseHandle(closer);
    } else {
      ::CloseHandle(reader);
    }
    EXPECT_EQ(saved, letsGo);
    EXPECT_EQ(shell.Errors.size(), letsGo ? 0u : 1u);
    EXPECT_EQ(SystemRead(data.SettingsPath, {"FORM", "EDGE"}), letsGo ? "2" : "1");
    EXPECT_EQ(::GetFileAttributesA((data.SettingsPath + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no temporary file left behind";
  }
}

}  // namespace
}  // namespace korvi
