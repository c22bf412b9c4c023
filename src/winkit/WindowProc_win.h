#pragma once
#include <windows.h>

namespace korvi {

// The window procedure of a view class T: finds the T that the window was created
// for (CreateWindowEx's last argument), stores the window handle in its `hwnd_`,
// and hands every message to its `Handle`. No C++ exception may cross into the
// window manager (on 32-bit Windows it ends the process), so any that reaches here
// ends in the default handling. T declares this template a friend.
template <class T>
LRESULT CALLBACK WindowProcOf(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  T* self = reinterpret_cast<T*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->hwnd_ = hwnd;
  }
  if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    return ::DefWindowProcA(hwnd, msg, wp, lp);
  }
}

// Registers the window class of view T with an arrow cursor and the given background
// (the button face unless said otherwise). Registering a class twice is harmless.
template <class T>
void RegisterViewClass(HINSTANCE instance, const char* className,
                       HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProcOf<T>;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  ::RegisterClassExA(&wc);
}

}  // namespace korvi
