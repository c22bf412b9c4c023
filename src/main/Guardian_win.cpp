#include "main/Guardian_win.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "main/DDWinList.h"
#include "platform/WindowSystem_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {

constexpr char kSwitch[] = "/guard ";
// How often the guardian offers a minimised window whose program does not answer its
// restore place (300 ms each) before it leaves the record to the next pager.
constexpr int kGuardianTries = 5;

BOOL CALLBACK Collect(HWND h, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
  return TRUE;
}

// True while process `pid` runs; a process that cannot be opened for waiting does not.
bool IsRunning(DWORD pid) {
  HANDLE h = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!h) return ::GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to wait on
  const bool running = ::WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
  ::CloseHandle(h);
  return running;
}

// Takes `run`'s record off `h`, and only that run's: a pager started again while this
// guardian restores may have recorded the window for itself meanwhile.
void ForgetRecordOf(HWND h, DWORD run) {
  if (RecordedRun(h) == run) ForgetHome(h);
}

Rect VirtualScreen() {
  Win32WindowSystem windows;
  return windows.VirtualScreen();
}

// Brings window `h`, recorded as `home`, back onto the screen, counting it in `moved`
// when it moves; false when it is minimised and its restore place could not be set (the
// system does not tell it, or the program did not take it in time).
bool BringBack(HWND h, const HomeRecord& home, const Rect& screen, int& moved) {
  if (::IsIconic(h)) {
    // A minimised window stays minimised; its restore place comes back. A program
    // that does not answer holds the guardian a moment at most.
    Rect restored;
    if (!RestoredPlace(h, restored)) return false;
    const auto place = TWinListDialog::PlaceToRestore(restored, home, screen);
    if (!place) return true;
    if (!SetRestoredPlace(h, *place, 300)) return false;
    ++moved;
    return true;
  }
  RECT r{};
  ::GetWindowRect(h, &r);
  const auto place = TWinListDialog::PlaceToRestore({r.left, r.top, r.right, r.bottom}, home, screen);
  // Posted, as a switch posts its moves: a hung program cannot hold the others back,
  // and the move lands after any the pager posted before it ended.
  if (place && ::SetWindowPos(h, nullptr, place->Left, place->Top, place->Width(), place->Height(),
                              SWP_ASYNCWINDOWPOS | SWP_NOZORDER | SWP_NOACTIVATE))
    ++moved;
  return true;
}

}  // namespace

DWORD GuardedProcess(const char* line) {
  if (!line) return 0;
  while (*line == ' ') ++line;
  if (std::string(line).rfind(kSwitch, 0) != 0) return 0;
  char* end = nullptr;
  const unsigned long pid = std::strtoul(line + sizeof kSwitch - 1, &end, 10);
  return end && *end == '\0' ? static_cast<DWORD>(pid) : 0;
}

bool StartGuardian() {
  // The program's own path may hold any character (its folder is the user's choice).
  std::wstring exe(32768, L'\0');
  const DWORD n = ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
  if (n == 0 || n >= exe.size()) return false;
  exe.resize(n);
  std::wstring line = L"\"" + exe + L"\" " + Widen(kSwitch) + std::to_wstring(::GetCurrentProcessId());
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_FORCEOFFFEEDBACK;  // no busy pointer for a process that shows nothing
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP,
                        nullptr, nullptr, &si, &pi))
    return false;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return true;
}

int RunGuardian(DWORD pid) {
  HANDLE pager = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!pager) return 1;  // already gone: its records, if any, name a process that cannot be waited on
  ::SetPriorityClass(::GetCurrentProcess(), IDLE_PRIORITY_CLASS);
  ::WaitForSingleObject(pager, INFINITE);
  ::CloseHandle(pager);
  // Bringing windows back must not wait behind other idle work.
  ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
  RestoreRecordedWindows(pid, kGuardianTries);
  return 0;
}

int RestoreRecordedWindows(DWORD run, int tries) {
  std::vector<HWND> handles;
  ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&handles));
  const Rect screen = VirtualScreen();
  int moved = 0;
  // A record comes off only once its window is back. A minimised window whose restore
  // place could not be set is tried again after the others, and keeps its record after
  // the last try: a pager started later brings it back (RestoreOrphanedWindows).
  for (int attempt = 0; attempt < tries && !handles.empty(); ++attempt) {
    std::vector<HWND> unplaced;
    for (HWND h : handles) {
      HomeRecord home;
      if (!::IsWindow(h) || !ReadHome(h, run, home)) continue;
      if (BringBack(h, home, screen, moved))
        ForgetRecordOf(h, run);
      else
        unplaced.push_back(h);
    }
    handles.swap(unplaced);
  }
  return moved;
}

int RestoreOrphanedWindows() {
  std::vector<HWND> handles;
  ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&handles));
  std::vector<DWORD> runs;
  const DWORD self = ::GetCurrentProcessId();
  for (HWND h : handles) {
    const DWORD run = RecordedRun(h);
    if (run != 0 && run != self && std::find(runs.begin(), runs.end(), run) == runs.end()) runs.push_back(run);
  }
  int moved = 0;
  // An old guardian still restoring moves the same windows to the same places.
  for (DWORD run : runs)
    if (!IsRunning(run)) moved += RestoreRecordedWindows(run, 1);
  return moved;
}

}  // namespace korvi
