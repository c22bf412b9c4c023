#pragma once
#include <windows.h>

#include "winkit/WindowProc_win.h"

#include <memory>
#include <string>

#include "help/FFHelp.h"
#include "help/ReaderBrowser.h"

namespace korvi {

class FileSystem;
class ReaderView;
class WebBrowserHost;

// The Win32 window of the help viewer: 800 x 600, a sizable tool window with the
// "File" and (disabled) "Edit" menus, a 30-pixel toolbar with "Back", "Forward" and
// "Reload", the page, and an 18-pixel status line. The page is shown by the
// WebBrowser control; where that control cannot render (no HTML engine installed,
// or no document after navigating) the built-in reader takes over for the rest of
// the run.
class HelpWindow : public ViewWindow, public HelpFormHost, public HtmlView {
 public:
  static constexpr const char* kClassName = "Korvi8Help";
  enum : UINT { kOpenCommand = 101, kExitCommand, kCopyCommand, kSelectAllCommand };
  enum : int { kBackId = 201, kForwardId, kReloadId, kStatusId };
  // At 96 dpi; the window scales them (DialogScale) as its GUI font grows with the resolution.
  static constexpr int kToolbarHeight = 30, kStatusHeight = 18, kButtonWidth = 72, kButtonHeight = 22;

  HelpWindow(THelpForm& form, FileSystem& files);
  ~HelpWindow() override;
  // Creates the hidden window centred on the screen; false when Windows refuses.
  bool Create(HINSTANCE instance);
  HWND Status() const { return status_; }
  HWND BackButton() const { return back_; }
  HWND ForwardButton() const { return forward_; }
  HWND ReloadButton() const { return reload_; }
  // The built-in reader, once it is in use (null while the WebBrowser control shows pages).
  ReaderView* Reader() const { return readerView_.get(); }
  bool UsesReader() const { return useReader_; }
  // The window's keyboard shortcuts (Ctrl+O, Ctrl+X); true when `msg` was one.
  // Called by the message loop for every message.
  bool TranslateAccelerator(MSG& msg);

  // HelpFormHost
  void SetTitle(const std::string& title) override;
  void SetStatus(const std::string& text) override;
  void ShowForm() override;
  void HideForm() override;
  bool ChooseFile(std::string& path) override;

  // HtmlView
  void Navigate(const std::string& url) override;
  void GoBack() override;
  void GoForward() override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Layout();
  RECT PageBounds();
  // The page's engine, chosen when the help is first used (not at start-up, where the
  // probe would load OLE and the HTML engine into a pager that may never show help).
  void ChoosePage();
  void UseReader();
  void CheckRendering();
  void DrawToolButton(const DRAWITEMSTRUCT& item);

  THelpForm& form_;
  FileSystem& files_;
  HINSTANCE instance_ = nullptr;
  HWND back_ = nullptr, forward_ = nullptr, reload_ = nullptr, status_ = nullptr;
  HACCEL accel_ = nullptr;
  std::unique_ptr<WebBrowserHost> web_;
  ReaderBrowser reader_;
  std::unique_ptr<ReaderView> readerView_;
  bool pageChosen_ = false, useReader_ = false, oleReady_ = false;
  std::string lastUrl_;
};

}  // namespace korvi
