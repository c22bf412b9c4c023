// The settings file's reads and replacements on a real file system: a read that fails half-way is
// a failure, and a replacement that fails half-way still leaves the whole new text under the name.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

std::string FreshFile(const char* name, const std::string& text) {
  const std::string path = test::TempDir() + "\\" + name;
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA((path + ".tmp").c_str());
  test::WriteFileBytes(path, text);
  return path;
}

// A stand-in for ReadFile that gives the first half of what is asked, then fails as a disk or a
// network share can (Wine does not fail reads of locked ranges, so a real lock cannot show it).
BOOL WINAPI HalfThenFail(HANDLE file, LPVOID buffer, DWORD want, LPDWORD got, LPOVERLAPPED) {
  static int calls = 0;
  if (++calls % 2 == 0) {
    ::SetLastError(ERROR_NETNAME_DELETED);
    return FALSE;
  }
  return ::ReadFile(file, buffer, want / 2, got, nullptr);
}

TEST(FileSafety, AReadThatFailsHalfWayIsAFailure) {
  const std::string path = FreshFile("halfread.ini", std::string(100000, 'k'));
  Win32FileSystem files;
  files.Read = &HalfThenFail;
  std::string content;
  EXPECT_EQ(files.ReadWholeFile(path, content, 1 << 20), FileSystem::ReadResult::Failed)
      << "read " << content.size() << " bytes and called it the whole file";
  files.Read = &::ReadFile;
  EXPECT_EQ(files.ReadWholeFile(path, content, 1 << 20), FileSystem::ReadResult::Ok);
  EXPECT_EQ(content.size(), 100000u);
}

// Stand-ins for ReplaceFileW that stop half-way as the system documents it can.
BOOL WINAPI ReplacedFileGoneThenFail(LPCWSTR replaced, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
  ::DeleteFileW(replaced);
  ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
  return FALSE;
}
BOOL WINAPI ReplacedFileRenamedThenFail(LPCWSTR replaced, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
  ::MoveFileExW(replaced, (std::wstring(replaced) + L".~old").c_str(), MOVEFILE_REPLACE_EXISTING);
  ::SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
  return FALSE;
}
BOOL WINAPI RefuseUntouched(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
  ::SetLastError(ERROR_SHARING_VIOLATION);
  return FALSE;
}

TEST(FileSafety, AReplacementThatFailsHalfWayStillPutsTheNewTextInPlace) {
  struct Case {
    const char* name;
    Win32FileSystem::ReplaceCall replace;
    bool saved;  // the new text is under the name; otherwise the old one is, untouched
  };
  const Case cases[] = {
      {"old file deleted (1176)", &ReplacedFileGoneThenFail, true},
      {"old file renamed (1177)", &ReplacedFileRenamedThenFail, true},
      {"refused before anything moved", &RefuseUntouched, false},
  };
  for (const Case& c : cases) {
    const std::string path = FreshFile("replace.ini", "[OLD]\r\nA=1\r\n");
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    Win32FileSystem files;
    files.Replace = c.replace;
    EXPECT_EQ(files.ReplaceFileContent(path, "[NEW]\r\nB=2\r\n"), c.saved) << c.name;
    EXPECT_EQ(test::ReadFileBytes(path), c.saved ? "[NEW]\r\nB=2\r\n" : "[OLD]\r\nA=1\r\n") << c.name;
    EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) << c.name << ": attributes kept";
    EXPECT_EQ(::GetFileAttributesA((path + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES) << c.name << ": no leftover";
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA((path + ".~old").c_str());
  }
}

}  // namespace
}  // namespace korvi
