#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "help/HtmlReader.h"
#include "help/HtmlView.h"

namespace korvi {

class FileSystem;

// Where a link leads, seen from the page that holds it.
struct LinkTarget {
  bool External = false;  // a web address or any scheme but file: (the system's browser opens it)
  std::string File;       // local page, a Windows path; empty = the page itself
  std::string Anchor;     // the part after "#", empty when none
};
// `base` is the path of the page the link is on (empty when there is none).
LinkTarget ResolveLink(const std::string& base, const std::string& url);

// The built-in reader's browsing: loads local pages through the file system, keeps
// its own history for Back and Forward and reports their state to the listener
// after every step, as the WebBrowser control does. External links are handed to
// `openExternal`. Its Win32 view (ReaderView_win.h) draws Document() and calls
// Navigate for a clicked link.
class ReaderBrowser : public HtmlView {
 public:
  static constexpr std::size_t kMaxPageBytes = 16u << 20;

  ReaderBrowser(FileSystem& files, CommandStateListener* listener,
                std::function<void(const std::string&)> openExternal)
      : files_(files), listener_(listener), openExternal_(std::move(openExternal)) {}

  // Shows a local page. Of the other addresses only http, https and mailto go to
  // `openExternal`; any other scheme (ms-msdt:, search-ms:, ...) is not followed,
  // with a line through OnStatus.
  void Navigate(const std::string& url) override;
  // A link clicked on the page: as Navigate, but a local file opens here only when it
  // is an HTML page; any other file is not followed, with a line through OnStatus.
  void FollowLink(const std::string& href);
  // Whether "Open in your web browser" may hand the page on show to the system: only
  // an HTML file; otherwise a line through OnStatus says why not.
  bool MayOpenInBrowser();
  void GoBack() override;
  void GoForward() override;

  const ReaderDocument& Document() const { return doc_; }
  // The page on show and the anchor to scroll to (empty: the top).
  const std::string& File() const { return file_; }
  const std::string& Anchor() const { return anchor_; }
  // Runs after every change of page or anchor.
  std::function<void()> OnPageChanged;
  // A line for the status bar: why a link was not followed.
  std::function<void(const std::string&)> OnStatus;

 private:
  struct Entry {
    std::string File, Anchor;
  };
  void Show(const Entry& e);
  void Status(const std::string& text) {
    if (OnStatus) OnStatus(text);
  }
  void ReportState();

  FileSystem& files_;
  CommandStateListener* listener_;
  std::function<void(const std::string&)> openExternal_;
  std::vector<Entry> history_;
  size_t index_ = 0;  // entry on show, meaningful when history_ is not empty
  ReaderDocument doc_;
  std::string file_, anchor_, loaded_;
};

}  // namespace korvi
