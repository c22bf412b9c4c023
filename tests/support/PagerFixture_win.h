#pragma once
// The set-up the end-to-end tests share: the real Korvi8.exe started from a folder of
// its own on the given settings, and closed when the test ends, however it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "e2e/PagerSession.h"

namespace korvi::e2e {

class PagerTest : public ::testing::Test {
 protected:
  // Starts the pager on `ini` (null: no settings file); false when its window did
  // not show. Use as ASSERT_TRUE(StartPager(...)).
  // `folder` (UTF-8) ends the name of the program's folder.
  bool StartPager(const char* ini, bool keepMouse = false, const std::string& folder = "") {
    session_ = std::make_unique<PagerSession>(ini, folder);
    session_->keepMouse_ = keepMouse;
    return session_->Start();
  }
  PagerSession& Pager() { return *session_; }

  void TearDown() override {
    if (session_ && session_->Running()) session_->Close();
  }

  // The primary monitor's work area now (Wine's SPI_GETWORKAREA keeps the first
  // answer a process got, even across a change of resolution).
  static RECT WorkArea() {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoA(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    return mi.rcWork;
  }
  static int Height(const RECT& r) { return r.bottom - r.top; }
  static int Width(const RECT& r) { return r.right - r.left; }

 private:
  std::unique_ptr<PagerSession> session_;
};

}  // namespace korvi::e2e
