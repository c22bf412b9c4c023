#pragma once
#include "platform/SystemInfo.h"

namespace korvi::test {

// A fixed clock, scripted memory figures and English names.
class FakeSystemInfo : public SystemInfo {
 public:
  FakeSystemInfo() {
    Locale.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    Locale.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    Locale.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    Locale.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                             "July",    "August",   "September", "October", "November", "December"};
  }
  LocalTime Now() override { return Time; }
  MemoryStatus Memory() override {
    ++MemoryCalls;
    return Mem;
  }
  const LocaleNames& Names() override { return Locale; }

  // Wednesday 7 March 2001, 14:05:09.
  LocalTime Time{2001, 3, 7, 3, 14, 5, 9};
  MemoryStatus Mem;
  LocaleNames Locale;
  int MemoryCalls = 0;
};

}  // namespace korvi::test
