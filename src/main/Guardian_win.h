#pragma once
#include <windows.h>

namespace korvi {

// The guardian: a second Korvi8.exe process, started with "/guard <pid>", that waits
// without a window and without using the processor until the pager ends. When the
// pager ends any other way than "Exit" (which forgets every record first), the windows
// it recorded as moved off the screen come back onto it, at their places within their
// own desktops.

// The command line that makes Korvi8.exe a guardian, and the pager's process id in it;
// 0 when the line asks for no guardian.
DWORD GuardedProcess(const char* commandLine);
// Starts a guardian of this process; false when it could not be started.
bool StartGuardian();
// The guardian's life: waits for process `pid` to end, then brings its recorded
// windows back. Returns the guardian's exit code.
int RunGuardian(DWORD pid);
// Brings every window that run `run` recorded onto the screen and takes the records
// off; a record of another run, or on a window that changed owner, is left alone. A
// minimised window whose restore place could not be set is tried `tries` times in all
// and otherwise keeps its record. Returns how many windows were moved.
int RestoreRecordedWindows(DWORD run, int tries = 1);
// Brings back the windows that runs no longer running recorded: a pager whose guardian
// ended before it (both ended together, or the guardian alone first) left them to no one.
// Records of runs still running are left to them. Returns how many windows were moved.
int RestoreOrphanedWindows();

}  // namespace korvi
