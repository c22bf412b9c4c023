#include "main/StickyWindows.h"

#include <cctype>

namespace korvi {

namespace {
std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}
}  // namespace

void StickyWindows::SetClasses(const std::vector<std::string>& classes) {
  classes_.clear();
  for (const std::string& c : classes)
    if (!c.empty()) classes_.push_back(Upper(c));
}

bool StickyWindows::TogglePin(WindowHandle window) {
  if (window == 0) return false;
  if (pinned_.erase(window)) return false;
  pinned_.insert(window);
  return true;
}

bool StickyWindows::Covers(WindowHandle window) {
  if (pinned_.count(window)) return true;
  if (classes_.empty()) return false;
  const std::string name = Upper(windows_.ClassName(window));
  if (name.empty()) return false;
  for (const std::string& c : classes_)
    if (c == name) return true;
  return false;
}

void StickyWindows::ForgetGone() {
  for (auto it = pinned_.begin(); it != pinned_.end();)
    it = windows_.WindowExists(*it) ? std::next(it) : pinned_.erase(it);
}

}  // namespace korvi
