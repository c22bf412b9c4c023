#pragma once
#include <cstdint>
#include <string>

namespace korvi {

// Commands whose availability an HTML view reports (the WebBrowser control's
// CommandStateChange numbering).
namespace command_state {
constexpr int32_t NavigateForward = 1;
constexpr int32_t NavigateBack = 2;
}  // namespace command_state

// What the help viewer needs of an HTML view: navigate, back and forward. The view
// reports on its own, through the listener, whenever going back or forward becomes
// possible or impossible.
class HtmlView {
 public:
  virtual ~HtmlView() = default;
  // Shows the page at `url`: a plain local path, a file: URL or a link's target.
  virtual void Navigate(const std::string& url) = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
};

class CommandStateListener {
 public:
  virtual ~CommandStateListener() = default;
  // `command` is command_state::NavigateForward or NavigateBack (others may come
  // and are ignored); `enable` tells whether that direction is now possible.
  virtual void CommandStateChange(int32_t command, bool enable) = 0;
};

}  // namespace korvi
