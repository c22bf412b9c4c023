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

WindowHandle FakeWindowSystem::TopWindow(WindowHandle parent) {
  if (parent != kRoot || Windows.empty()) return 0;
  return Windows.front().Handle;
}

WindowHandle FakeWindowSystem::NextWindow(WindowHandle window) {
  for (size_t i = 0; i < Windows.size(); ++i)
    if (Windows[i].Handle == window) return i + 1 < Windows.size() ? Windows[i + 1].Handle : 0;
  return 0;
}

bool FakeWindowSystem::IsWindow(WindowHandle window) {
  if (window == kRoot) return true;
  Window* w = Find(window);
  return w && w->Alive;
}

bool FakeWindowSystem::IsIconic(WindowHandle window) {
  Window* w = Find(window);
  return w && w->Iconic;
}

bool FakeWindowSystem::IsWindowVisible(WindowHandle window) {
  if (window == kRoot) return true;
  Window* w = Find(window);
  return w && w->Visible;
}

Rect FakeWindowSystem::WindowRect(WindowHandle window) {
  if (window == kRoot) return Screen;
  Window* w = Find(window);
  return w ? w->Bounds : Rect{};
}

std::string FakeWindowSystem::WindowText(WindowHandle window) {
  if (window == kRoot) return RootText.substr(0, 127);
  Window* w = Find(window);
  return w ? w->Text.substr(0, 127) : std::string();
}

void FakeWindowSystem::MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height) {
  Moves.push_back({window, x, y, width, height});
  Window* w = Find(window);
  if (w && w->Alive) w->Bounds = {x, y, x + width, y + height};
}

FileSystem::ReadResult FakeFileSystem::ReadWholeFile(const std::string& path, std::string& content,
                                                      std::size_t limit) {
  auto it = Files.find(path);
  if (it == Files.end()) return ReadResult::Missing;
  if (it->second.size() > limit) return ReadResult::TooLarge;
  content = it->second;
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

std::string FakeFileSystem::Utf8ToAnsi(std::string_view utf8) {
  const std::string utf16 = EncodeFromUtf8(utf8, TextEncoding::Utf16LE);
  std::string ansi;
  for (std::size_t i = 2; i + 1 < utf16.size(); i += 2) ansi += utf16[i + 1] ? '?' : utf16[i];
  return ansi;
}

}  // namespace korvi::test
