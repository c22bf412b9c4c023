#pragma once
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"

namespace korvi {

// The seam between the logic and the operating system: one Win32 implementation
// (Win32Platform_win.h) and one fake for the tests (tests/support/FakePlatform.h).
struct Platform {
  WindowSystem& Windows;
  FileSystem& Files;
  Shell& Desktop;
};

}  // namespace korvi
