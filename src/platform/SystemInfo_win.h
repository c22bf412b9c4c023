#pragma once
#include "platform/SystemInfo.h"

namespace korvi {

// The local clock, GlobalMemoryStatus and the user locale's day and month names.
class Win32SystemInfo : public SystemInfo {
 public:
  LocalTime Now() override;
  MemoryStatus Memory() override;
  const LocaleNames& Names() override;

 private:
  bool loaded_ = false;
  LocaleNames names_;
};

}  // namespace korvi
