// Launcher buttons of the real Korvi8.exe start real programs through the shell.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <set>
#include <string>
#include <vector>

#include "e2e/MenuDriver.h"
#include "e2e/PagerSession.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

std::set<DWORD> ProcessesNamed(const char* exe) {
  std::set<DWORD> ids;
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 pe{};
  pe.dwSize = sizeof pe;
  for (BOOL ok = ::Process32First(snap, &pe); ok; ok = ::Process32Next(snap, &pe))
    if (lstrcmpiA(pe.szExeFile, exe) == 0) ids.insert(pe.th32ProcessID);
  ::CloseHandle(snap);
  return ids;
}

struct TitleSearch {
  DWORD pid;
  std::string title;
};

BOOL CALLBACK FindTitle(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<TitleSearch*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  char text[256] = {};
  if ((s->pid == 0 || pid == s->pid) && ::IsWindowVisible(h) && ::GetWindowTextA(h, text, sizeof text) > 0) {
    s->title = text;
    return FALSE;
  }
  return TRUE;
}

std::string TitleOf(DWORD pid) {
  TitleSearch s{pid, {}};
  ::EnumWindows(FindTitle, reinterpret_cast<LPARAM>(&s));
  return s.title;
}

void EndProcess(DWORD pid) {
  HANDLE h = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  if (!h) return;
  ::TerminateProcess(h, 0);
  ::WaitForSingleObject(h, 5000);
  ::CloseHandle(h);
}

// Clicks a button and waits for a new process of `exe` with a visible window whose
// title holds `expect`; returns the title it last saw (empty when no window came)
// and ends the process.
std::string LaunchAndClose(PagerSession& pager, POINT button, const char* exe, const char* expect = "") {
  std::set<DWORD> before = ProcessesNamed(exe);
  pager.ClickClient(button.x, button.y);
  DWORD pid = 0;
  std::string title;
  test::PumpUntil(
      [&] {
        for (DWORD id : ProcessesNamed(exe))
          if (!before.count(id)) pid = id;
        if (pid) title = TitleOf(pid);
        return !title.empty() && title.find(expect) != std::string::npos;
      },
      15000);
  // Every new process of that name goes: a program may hand over to a second copy of
  // itself (the control program does), and none may outlive the test.
  for (DWORD id : ProcessesNamed(exe))
    if (!before.count(id)) EndProcess(id);
  return title;
}

// Ends, when the test is over, every process of the launched programs that started during
// it. A launch the shell hands on (a shortcut, a PIF file, an applet) can bring its program
// up after the test stopped waiting for it; left running, its window would cover the panel
// and take the clicks of the tests that follow.
class LaunchedProgramsReaper {
 public:
  LaunchedProgramsReaper() {
    for (const char* exe : kNames)
      for (DWORD id : ProcessesNamed(exe)) before_.insert(id);
  }
  ~LaunchedProgramsReaper() {
    test::Pump(1500);  // late hand-overs get the chance to appear before the sweep
    for (const char* exe : kNames)
      for (DWORD id : ProcessesNamed(exe))
        if (!before_.count(id)) EndProcess(id);
  }

 private:
  static constexpr const char* kNames[] = {"notepad.exe", "control.exe", "rundll32.exe"};
  std::set<DWORD> before_;
};

std::string WindowsDir() {
  char dir[MAX_PATH] = {};
  ::GetWindowsDirectoryA(dir, MAX_PATH);
  return dir;
}

bool MakeShortcut(const std::string& lnk, const std::string& target, const std::string& args) {
  ::CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  bool ok = false;
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
    link->SetPath(target.c_str());
    link->SetArguments(args.c_str());
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t wide[MAX_PATH] = {};
      ::MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, wide, MAX_PATH);
      ok = SUCCEEDED(file->Save(wide, TRUE));
      file->Release();
    }
    link->Release();
  }
  return ok;
}

// A PIF file's basic section: program name at 36 (63 bytes), start directory at 101,
// parameters at 165 (64 bytes each), 369 bytes in all.
std::string MakePif(const std::string& program, const std::string& dir, const std::string& params) {
  std::string pif(369, '\0');
  pif.replace(36, program.size(), program);
  pif.replace(101, dir.size(), dir);
  pif.replace(165, params.size(), params);
  return pif;
}

std::string Button(int n, int left, const std::string& program, const std::string& extra = "") {
  return "[BUTTON" + std::to_string(n) + "]\r\nVISIBLE=1\r\nLEFT=" + std::to_string(left) +
         "\r\nTOP=40\r\nWIDTH=48\r\nHEIGHT=48\r\nPROGRAM=" + program + "\r\n" + extra;
}

TEST(LaunchEndToEnd, LaunchersStartProgramsDocumentsShortcutsPifsAppletsAndFolders) {
  LaunchedProgramsReaper reaper;
  const std::string dir = test::TempDir() + "\\launch";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  const std::string notepad = WindowsDir() + "\\notepad.exe";
  test::WriteFileBytes(dir + "\\letter.txt", "Dear pager,\r\n");
  // Text documents open in the text editor, as on a user's system (this prefix has the
  // "txtfile" type but no extension bound to it).
  test::WriteFileBytes(dir + "\\memo.txt", "A note\r\n");
  ::RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, "txtfile", 7);
  ASSERT_TRUE(MakeShortcut(dir + "\\Notes.lnk", notepad, dir + "\\letter.txt"));
  test::WriteFileBytes(dir + "\\notes.pif", MakePif(notepad, dir, dir + "\\letter.txt"));
  const std::string joy = WindowsDir() + "\\system32\\joy.cpl";

  std::string ini = "[FORM]\r\nHIDE=0\r\n" + Button(11, 10, notepad) + Button(12, 70, dir + "\\memo.txt") +
                    Button(13, 130, dir + "\\Notes.lnk") + Button(14, 190, dir + "\\notes.pif") +
                    Button(15, 250, joy) + Button(16, 310, dir + "\\");
  PagerSession pager(ini.c_str());
  ASSERT_TRUE(pager.Start());
  SaveScreenshot("launchers");

  EXPECT_NE(LaunchAndClose(pager, {34, 64}, "notepad.exe"), "") << "a program starts";
  EXPECT_NE(LaunchAndClose(pager, {94, 64}, "notepad.exe", "memo").find("memo"), std::string::npos)
      << "a document opens in the program its type belongs to";
  EXPECT_NE(LaunchAndClose(pager, {154, 64}, "notepad.exe", "letter").find("letter"), std::string::npos)
      << "a shortcut starts its target with its arguments";
  EXPECT_NE(LaunchAndClose(pager, {214, 64}, "notepad.exe", "letter").find("letter"), std::string::npos)
      << "a PIF file starts its program with its parameters";
  EXPECT_NE(LaunchAndClose(pager, {274, 64}, "control.exe"), "") << "an applet goes to the control program";

  // A folder asks for a file in it: the open dialog starts in that folder, so the
  // bare name of a file there, chosen with "Open", launches that file.
  // The first file dialog of a fresh prefix can take a while to build; a second click
  // is harmless, as the panel is disabled while the dialog is open.
  HWND dialog = nullptr;
  auto dialogOpen = [&] { return (dialog = ::FindWindowA("#32770", "Open")) != nullptr; };
  pager.ClickClient(334, 64);
  if (!test::PumpUntil(dialogOpen, 5000)) pager.ClickClient(334, 64);
  ASSERT_TRUE(test::PumpUntil(dialogOpen, 15000)) << "no file dialog came";
  SaveScreenshot("folder-dialog");
  std::set<DWORD> before = ProcessesNamed("notepad.exe");
  ChooseFile(dialog, "letter.txt");
  DWORD pid = 0;
  std::string title;
  test::PumpUntil([&] {
    for (DWORD id : ProcessesNamed("notepad.exe"))
      if (!before.count(id)) pid = id;
    if (pid) title = TitleOf(pid);
    return title.find("letter") != std::string::npos;
  }, 15000);
  EXPECT_NE(title.find("letter"), std::string::npos) << "the file chosen in the folder starts: " << title;
  for (DWORD id : ProcessesNamed("notepad.exe"))
    if (!before.count(id)) EndProcess(id);
  pager.Close();
}

}  // namespace
}  // namespace korvi::e2e
