#include "main/FFPos.h"

namespace korvi {

void TPosForm::Display(int32_t left, int32_t top, int32_t width, int32_t height) {
  Static1 = "pos:  (" + std::to_string(left) + " , " + std::to_string(top) + ")";
  Static2 = "size: (" + std::to_string(width) + " , " + std::to_string(height) + ")";
  if (host_) host_->ShowTexts(Static1, Static2);
}

}  // namespace korvi
