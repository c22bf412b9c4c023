#include "platform/SystemInfo_win.h"
#include "platform/WideText_win.h"

#include <windows.h>

namespace korvi {

namespace {

std::string LocaleText(LCTYPE what) {
  wchar_t buf[128] = {};
  const int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, what, buf, 128);
  return n > 1 ? Narrow(std::wstring_view(buf, static_cast<size_t>(n - 1))) : std::string();
}

}  // namespace

LocalTime Win32SystemInfo::Now() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute, st.wSecond};
}

MemoryStatus Win32SystemInfo::Memory() {
  MEMORYSTATUS m{};
  m.dwLength = 32;  // the structure's size on 32-bit Windows
  ::GlobalMemoryStatus(&m);
  MemoryStatus s;
  s.MemoryLoad = m.dwMemoryLoad;
  s.TotalPhys = static_cast<uint32_t>(m.dwTotalPhys);
  s.AvailPhys = static_cast<uint32_t>(m.dwAvailPhys);
  s.TotalPageFile = static_cast<uint32_t>(m.dwTotalPageFile);
  s.AvailPageFile = static_cast<uint32_t>(m.dwAvailPageFile);
  s.TotalVirtual = static_cast<uint32_t>(m.dwTotalVirtual);
  s.AvailVirtual = static_cast<uint32_t>(m.dwAvailVirtual);
  return s;
}

const LocaleNames& Win32SystemInfo::Names() {
  if (!loaded_) {
    // The locale numbers its days from Monday (LOCALE_SDAYNAME1); ours start on Sunday.
    for (int d = 0; d < 7; ++d) {
      const int fromMonday = (d + 6) % 7;
      names_.LongDayNames[d] = LocaleText(LOCALE_SDAYNAME1 + fromMonday);
      names_.ShortDayNames[d] = LocaleText(LOCALE_SABBREVDAYNAME1 + fromMonday);
    }
    for (int m = 0; m < 12; ++m) {
      names_.LongMonthNames[m] = LocaleText(LOCALE_SMONTHNAME1 + m);
      names_.ShortMonthNames[m] = LocaleText(LOCALE_SABBREVMONTHNAME1 + m);
    }
    loaded_ = true;
  }
  return names_;
}

}  // namespace korvi
