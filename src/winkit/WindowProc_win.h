#pragma once
#include <windows.h>

#include <type_traits>

#include "platform/WideText_win.h"

namespace korvi {

template <class T>
LRESULT CALLBACK WindowProcOf(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// The base of a view: the window handle that its window procedure stores when the
// window is created, and the message handler that procedure calls. A view registers
// its class with RegisterViewClass and passes `this` as CreateWindowEx's last argument.
class ViewWindow {
 public:
  virtual ~ViewWindow() = default;
  ViewWindow(const ViewWindow&) = delete;
  ViewWindow& operator=(const ViewWindow&) = delete;
  HWND Hwnd() const { return hwnd_; }

 protected:
  ViewWindow() = default;
  HWND hwnd_ = nullptr;

 private:
  template <class T>
  friend LRESULT CALLBACK WindowProcOf(HWND, UINT, WPARAM, LPARAM);
  virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) = 0;
};

// The window procedure of a view class T: finds the T that the window was created
// for (CreateWindowEx's last argument), stores the window handle in its `hwnd_`,
// and hands every message to its `Handle`. No C++ exception may cross into the
// window manager (on 32-bit Windows it ends the process), so any that reaches here
// ends in the default handling. T is a ViewWindow, or declares this template a friend.
template <class T>
LRESULT CALLBACK WindowProcOf(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  T* self = reinterpret_cast<T*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->hwnd_ = hwnd;
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  try {
    if constexpr (std::is_base_of_v<ViewWindow, T>) return static_cast<ViewWindow*>(self)->Handle(msg, wp, lp);
    else return self->Handle(msg, wp, lp);
  } catch (...) {
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
}

// Registers the window class of view T with an arrow cursor and the given background
// (the button face unless said otherwise). Registering a class twice is harmless.
// The class is Unicode: its windows' texts and messages carry every character.
template <class T>
void RegisterViewClass(HINSTANCE instance, const char* className,
                       HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) {
  const std::wstring name = Widen(className);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProcOf<T>;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.lpszClassName = name.c_str();
  ::RegisterClassExW(&wc);
}

}  // namespace korvi
