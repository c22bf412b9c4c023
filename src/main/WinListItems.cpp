#include "main/WinListItems.h"

#include <cstdio>

namespace korvi {

std::string WinListItemCaption(const TWinData& e) {
  if (e.Handle == 0) return {};
  char hex[24];
  std::snprintf(hex, sizeof hex, "%08llX", static_cast<unsigned long long>(e.Handle));
  return std::string(hex) + "   " + e.Title;
}

}  // namespace korvi
