#pragma once
#include <cstdint>
#include <string>

#include "platform/Geometry.h"

namespace korvi {

// The window that shows the two texts of the position read-out.
class PosHost {
 public:
  virtual ~PosHost() = default;
  virtual void ShowTexts(const std::string& top, const std::string& bottom) = 0;
};

// The position read-out: position and size of the button being moved.
class TPosForm {
 public:
  static constexpr int32_t ClientWidth = 298, ClientHeight = 82;

  void AttachHost(PosHost* host) { host_ = host; }
  void Display(int32_t left, int32_t top, int32_t width, int32_t height);

  std::string Static1;  // "pos:  (left , top)"
  std::string Static2;  // "size: (width , height)"

 private:
  PosHost* host_ = nullptr;
};

}  // namespace korvi
