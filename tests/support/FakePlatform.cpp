#include "support/FakePlatform.h"

#include "panel/TextEncoding.h"

#include <stdexcept>

namespace korvi::test {

WindowHandle FakeWindowSystem::Add(Rect bounds, std::string text, bool visible, bool iconic) {
  Window w;
  w.Handle = next_++;
  w.Bounds = bounds;
  w.Text = std::move(text);
  w.Visible = visible;
  w.Iconic = iconic;
  Windows.push_back(w);
  return w.Handle;
}

FakeWindowSystem::Window* FakeWindowSystem::Find(WindowHandle h) {
  for (auto& w : Windows)
    if (w.Handle == h) return &w;
  return nullptr;
}

FakeWindowSystem::Window& FakeWindowSystem::Get(WindowHandle h) {
  Window* w = Find(h);
  if (!w) throw std::runtime_error("no such fake window");
  return *w;
}

void FakeWindowSystem::Raise(WindowHandle h) {
  for (size_t i = 0; i < Windows.size(); ++i)
    if (Windows[i].Handle == h) {
      Window w = Windows[i];
      Windows.erase(Windows.begin() + static_cast<std::ptrdiff_t>(i));
      Windows.insert(Windows.begin(), w);
      return;
    }
}

bool FakeWindowSystem::Describe(WindowHandle h, WindowInfo& info) {
  const Window* w = Find(h);
  if (!w || !w->Alive) return false;
  info = {w->Handle, w->Bounds, w->Text.substr(0, 127), w->Visible, w->Iconic, w->Iconic ? w->Restored : Rect{}};
  return true;
}

void FakeWindowSystem::Activate(WindowHandle h) {
  Raise(h);
  Foreground = h;
  if (HookDelivers && Heard && !IsOwnWindow(h)) Heard(h);
}

WindowSnapshot FakeWindowSystem::TopLevelWindows() {
  WindowSnapshot s;
  s.Root = {kRoot, Screen, RootText.substr(0, 127), true, false, {}};
  for (const Window& w : Windows)
    if (w.Alive)
      s.Windows.push_back({w.Handle, w.Bounds, w.Text.substr(0, 127), w.Visible, w.Iconic, w.Iconic ? w.Restored : Rect{}});
  return s;
}

void FakeWindowSystem::MoveWindow(WindowHandle window, const Rect& bounds) {
  if (window == kRoot) return;
  Moves.push_back({window, bounds, Homes.count(window) != 0});
  if (LaggingMoves) {
    queued_.push_back({window, bounds});
    return;
  }
  Window* w = Find(window);
  if (w && w->Alive) w->Bounds = bounds;
}

bool FakeWindowSystem::RegisterHotkey(int32_t id, uint32_t modifiers, uint32_t key) {
  Hotkeys.erase(id);
  for (const auto& held : HeldElsewhere)
    if (held == std::pair{modifiers, key}) return false;
  for (const auto& [other, k] : Hotkeys)
    if (k == std::pair{modifiers, key}) return false;
  Hotkeys[id] = {modifiers, key};
  return true;
}

bool FakeWindowSystem::PlaceMinimised(WindowHandle window, const Rect& restored) {
  Window* w = Find(window);
  if (!w || !w->Alive || !w->Iconic || !w->Answers) return false;
  w->Restored = restored;
  return true;
}

void FakeWindowSystem::Settle() {
  for (const Move& m : queued_)
    if (Window* w = Find(m.Handle); w && w->Alive) w->Bounds = m.Bounds;
  queued_.clear();
}

FileSystem::ReadResult FakeFileSystem::ReadWholeFile(const std::string& path, std::string& content,
                                                      std::size_t limit) {
  auto it = Files.find(path);
  if (it == Files.end()) return ReadResult::Missing;
  if (it->second.size() > limit) return ReadResult::TooLarge;
  content = it->second;
  return ReadResult::Ok;
}

FileSystem::ReadResult FakeFileSystem::ReadFileStart(const std::string& path, std::string& content,
                                                      std::size_t count) {
  auto it = Files.find(path);
  if (it == Files.end()) return ReadResult::Missing;
  content = it->second.substr(0, count);
  return ReadResult::Ok;
}

bool FakeFileSystem::ReplaceFileContent(const std::string& path, const std::string& content) {
  if (FailWrites) return false;
  ++Writes;
  Files[path] = content;
  return true;
}

std::string FakeFileSystem::AnsiToUtf8(std::string_view ansi) {
  std::string utf16("\xFF\xFE");
  for (char c : ansi) utf16 += {c, '\0'};
  return DecodeToUtf8(utf16, TextEncoding::Utf16LE);
}

bool FakeFileSystem::Utf8ToAnsi(std::string_view utf8, std::string& ansi) {
  const std::string utf16 = EncodeFromUtf8(utf8, TextEncoding::Utf16LE);
  ansi.clear();
  for (std::size_t i = 2; i + 1 < utf16.size(); i += 2) {
    if (utf16[i + 1]) return false;
    ansi += utf16[i];
  }
  return true;
}

}  // namespace korvi::test
