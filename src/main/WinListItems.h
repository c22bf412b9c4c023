#pragma once
#include <string>

#include "main/DDWinList.h"

namespace korvi {

// The list-view line of one window-table entry: the handle as 8 upper-case hex
// digits, three blanks and the title; empty for an unused entry.
std::string WinListItemCaption(const TWinData& entry);

}  // namespace korvi
