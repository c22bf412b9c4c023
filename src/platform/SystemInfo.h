#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace korvi {

// A local date and time, as the clock buttons show it.
struct LocalTime {
  int32_t Year = 2000;
  int32_t Month = 1;      // 1..12
  int32_t Day = 1;        // 1..31
  int32_t DayOfWeek = 6;  // 0 = Sunday .. 6 = Saturday
  int32_t Hour = 0;       // 0..23
  int32_t Minute = 0;     // 0..59
  int32_t Second = 0;     // 0..59
};

// Day and month names of the user's locale, in the system's ANSI code page.
struct LocaleNames {
  std::array<std::string, 7> ShortDayNames;   // index 0 = Sunday
  std::array<std::string, 7> LongDayNames;    // index 0 = Sunday
  std::array<std::string, 12> ShortMonthNames;  // index 0 = January
  std::array<std::string, 12> LongMonthNames;   // index 0 = January
};

// The figures the system reports about its memory, all unsigned 32-bit as the
// 32-bit memory-status call gives them (large sizes saturate there).
struct MemoryStatus {
  uint32_t MemoryLoad = 0;
  uint32_t TotalPhys = 0, AvailPhys = 0;
  uint32_t TotalPageFile = 0, AvailPageFile = 0;
  uint32_t TotalVirtual = 0, AvailVirtual = 0;
};

// What the clocks and load gauges read from the system.
class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  virtual LocalTime Now() = 0;
  virtual MemoryStatus Memory() = 0;
  // Read once: the names do not change while the pager runs.
  virtual const LocaleNames& Names() = 0;
};

}  // namespace korvi
