#pragma once
#include <cstdint>
#include <string>

#include "help/HtmlView.h"

namespace korvi {

class FileSystem;
struct SharedState;

// The window around the help viewer: title, status line, visibility and the file
// dialog of "Open".
class HelpFormHost {
 public:
  virtual ~HelpFormHost() = default;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetStatus(const std::string& text) = 0;
  virtual void ShowForm() = 0;
  virtual void HideForm() = 0;
  // The "Open" dialog (filter "HTML Help File|*.html;*.htm|All Files|*.*"):
  // true with the chosen file's full path when the user confirms.
  virtual bool ChooseFile(std::string& path) = 0;
};

// The help viewer: a small browser window for the help file and any local HTML
// file the user opens. Created once at start-up, shown and hidden, never modal.
// Its Win32 view is HelpWindow (FFHelp_win.h); the page itself is shown by an
// HtmlView (the WebBrowser control, or the built-in reader where that cannot render).
class THelpForm : public CommandStateListener {
 public:
  static constexpr int32_t FormWidth = 800, FormHeight = 600;
  static constexpr const char* kInitialTitle = "HelpForm";
  static constexpr const char* kNotFound = "File Not Found: ";
  static constexpr const char* kOpenFilter = "HTML Help File|*.html;*.htm|All Files|*.*";

  explicit THelpForm(FileSystem& files) : files_(files) {}

  void AttachHost(HelpFormHost* host) { host_ = host; }
  void AttachView(HtmlView* view) { view_ = view; }

  // --- What the command menu calls ------------------------------------------------
  // "Help": the first call of a run loads data.HelpPath (the lower-cased path of
  // "korvi8.html" in the program folder) and sets data.HelpLoaded; every call then
  // shows the window, whatever page it is on.
  void ShowHelp(SharedState& data);

  // --- The form's own operations and event handlers ------------------------------
  void FormCreate();
  // Shows the file when it exists; otherwise "File Not Found: " + name in the status
  // line. Either way `CurrentFile` and the title become `name`.
  void LoadFromFile(const std::string& name);
  void bBackClick();
  void bForwardClick();
  // Loads `CurrentFile` again: the file last loaded, not the page on show.
  void bReloadClick();
  void miOpenClick();
  void miExitClick();
  void Web1CommandStateChange(int32_t command, bool enable);
  void CommandStateChange(int32_t command, bool enable) override { Web1CommandStateChange(command, enable); }

  std::string CurrentFile;
  bool CanGoBack = false;
  bool CanGoForward = false;

 private:
  FileSystem& files_;
  HelpFormHost* host_ = nullptr;
  HtmlView* view_ = nullptr;
};

}  // namespace korvi
