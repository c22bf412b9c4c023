#pragma once
#include <cstdint>

namespace korvi {

// The window of the about box and its one-second timer.
class AboutHost {
 public:
  virtual ~AboutHost() = default;
  // `activate`: take the keyboard focus. The greeting after start-up does not, so
  // that it never closes a menu or takes the keys from what the user is doing.
  virtual void ShowForm(bool activate) = 0;
  virtual void HideForm() = 0;
  virtual void StartTimer(int32_t periodMs) = 0;
  virtual void StopTimer() = 0;
};

// The about box: names the product and its version. It shows itself once, at the
// second tick of its timer after start-up, and hides at the sixth; after that only
// "About Korvi8" shows it, until "OK". Its Win32 view is AboutWindow (FFAbout_win.h).
class TAboutBox {
 public:
  static constexpr int32_t ClientWidth = 298, ClientHeight = 213;
  static constexpr int32_t TimerInterval = 1000;
  static constexpr const char* kTitle = "About";
  static constexpr const char* kProductName = "Korvi - Desktop Pager for Windows";
  static constexpr const char* kVersion = "Version 8";

  void AttachHost(AboutHost* host) { host_ = host; }

  // "About Korvi8" of the command menu: shows the box, not modal. Before the sixth
  // tick, that tick still hides it.
  void ShowAbout();

  void FormCreate();
  void Timer1Timer();
  void bOKClick();

  int32_t Ticks = 0;
  bool TimerRunning() const { return timerRunning_; }

 private:
  AboutHost* host_ = nullptr;
  bool timerRunning_ = false;
};

}  // namespace korvi
