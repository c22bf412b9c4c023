// Launching through the real shell: what the system answers, without dialogs.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <utility>
#include <vector>

#include "buttons/Launch_win.h"
#include "platform/WideText_win.h"
#include "platform/Win32Platform_win.h"
#include "win/WinTestUtil.h"

namespace korvi {
namespace {

std::string WindowsDir() {
  char dir[MAX_PATH] = {};
  ::GetWindowsDirectoryA(dir, MAX_PATH);
  return dir;
}

// Whether a process runs from `exe`, or one it started does (a console's host).
bool ProcessRunsFrom(const std::wstring& exe) {
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return false;
  const std::wstring name = exe.substr(exe.find_last_of(L'\\') + 1);
  std::vector<DWORD> ours;
  std::vector<std::pair<DWORD, DWORD>> all;  // process, parent
  PROCESSENTRY32W e{};
  e.dwSize = sizeof e;
  for (BOOL more = ::Process32FirstW(snap, &e); more; more = ::Process32NextW(snap, &e)) {
    all.push_back({e.th32ProcessID, e.th32ParentProcessID});
    if (lstrcmpiW(e.szExeFile, name.c_str()) == 0) ours.push_back(e.th32ProcessID);
  }
  ::CloseHandle(snap);
  for (const auto& [pid, parent] : all)
    for (DWORD o : ours)
      if (pid == o || parent == o) return true;
  return false;
}

TEST(ShellLaunch, StartsAProgramAndReportsTheShellsAnswer) {
  Win32LaunchServices launch("C:\\", nullptr);
  // A command that ends at once: the shell's answer is what counts here.
  LaunchTarget t{WindowsDir() + "\\system32\\cmd.exe", "/c exit", "", SW_SHOWMINNOACTIVE};
  EXPECT_GT(launch.ShellOpen(t), 32);
}

// A program, its arguments and its folder in another script: the program runs there
// and gets its arguments whole (it writes a file named by them into its folder).
TEST(ShellLaunch, ProgramAndFolderNamedInAnotherScriptRun) {
  const std::string folder = test::TempDir() + "\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 \xCE\xB4\xCE\xBF\xCE\xBA\xCE\xB9\xCE\xBC\xCE\xAE\\";
  ASSERT_TRUE(::CreateDirectoryW(Widen(folder).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
  const std::string program = folder + "\xD0\xBA\xD0\xBE\xD0\xBC\xD0\xB0\xD0\xBD\xD0\xB4\xD0\xB0.exe";
  ASSERT_TRUE(::CopyFileW(Widen(WindowsDir() + "\\system32\\cmd.exe").c_str(), Widen(program).c_str(), FALSE));
  const std::string made = "\xCE\xB1\xCE\xB2\xCE\xB3.txt";
  Win32FileSystem files;
  ::DeleteFileW(Widen(folder + made).c_str());
  Win32LaunchServices launch("C:\\", nullptr);
  LaunchTarget t{program, "/c echo ok> " + made, folder, SW_SHOWMINNOACTIVE};
  EXPECT_GT(launch.ShellOpen(t), 32);
  EXPECT_TRUE(test::PumpUntil([&] { return files.FileExists(folder + made); }, 10000))
      << "the program ran in its folder with its arguments";
  // The program and the console it opened are gone before the next test counts objects.
  EXPECT_TRUE(test::PumpUntil([&] { return !ProcessRunsFrom(Widen(program)); }, 10000));
}

TEST(ShellLaunch, SystemProgramsFolderHoldTheControlAndExplorerPrograms) {
  Win32LaunchServices launch("C:\\", nullptr);
  EXPECT_EQ(launch.WindowsDir(), WindowsDir() + "\\");
  EXPECT_NE(::GetFileAttributesA((launch.SystemDir() + "control.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(::GetFileAttributesA((launch.WindowsDir() + "explorer.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ShellLaunch, MissingFileIsRefusedQuietly) {
  Win32LaunchServices launch("C:\\", nullptr);
  LaunchTarget t{test::TempDir() + "\\no-such-program.exe", "", "", SW_SHOWNORMAL};
  int32_t code = launch.ShellOpen(t);
  EXPECT_LE(code, 32);
  EXPECT_GE(code, 0);
  test::Pump(300);
  EXPECT_EQ(::FindWindowA("#32770", nullptr), nullptr) << "no message box for a refused launch";
}

TEST(ShellLaunch, PifFileGivesProgramParametersAndDirectory) {
  std::string pif(545, '\0');  // the basic section, then the extensions a PIF editor writes
  pif.replace(36, 11, "EDIT.COM   ");
  pif.replace(101, 7, "C:\\WORK");
  pif.replace(165, 9, "/fast a.b");
  std::string file = test::TempDir() + "\\edit.pif";
  ASSERT_TRUE(test::WriteFileBytes(file, pif));
  Win32LaunchServices launch("C:\\", nullptr);
  LaunchTarget t;
  ASSERT_TRUE(launch.ReadPif(file, t));
  EXPECT_EQ(t.Program, "EDIT.COM   ");
  EXPECT_EQ(t.Directory, "C:\\WORK");
  EXPECT_EQ(t.Args, "/fast a.b");
  // The basic section is exactly 369 bytes: a file of that size is read, one byte less is not.
  for (const std::size_t size : {369u, 368u}) {
    ASSERT_TRUE(test::WriteFileBytes(file, pif.substr(0, size)));
    t = {};
    EXPECT_EQ(launch.ReadPif(file, t), size == 369) << size << " bytes";
    if (size == 369) {
      EXPECT_EQ(t.Args, "/fast a.b");
    }
  }
  EXPECT_FALSE(launch.ReadPif(test::TempDir() + "\\none.pif", t));
  const std::string folder = test::TempDir() + "\\folder.pif";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  EXPECT_FALSE(launch.ReadPif(folder, t));
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace korvi
