#include "main/ClockFormat.h"

#include <cctype>
#include <cstdio>

namespace korvi {

namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Upper(s[i]) != Upper(prefix[i])) return false;
  return true;
}

void AppendNumber(std::string& out, int32_t value, bool twoDigits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, twoDigits ? "%02d" : "%d", static_cast<int>(value));
  out += buf;
}

// A name from a locale table; out-of-range indexes (a broken clock) give nothing.
template <size_t N>
const std::string& NameAt(const std::array<std::string, N>& table, int32_t index) {
  static const std::string empty;
  return index >= 0 && static_cast<size_t>(index) < N ? table[static_cast<size_t>(index)] : empty;
}

// True when an am/pm or a/p marker follows in the rest of the picture, outside quotes.
bool TwelveHourAhead(std::string_view rest) {
  char quote = 0;
  for (size_t i = 0; i < rest.size(); ++i) {
    const char c = rest[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (StartsWithNoCase(rest.substr(i), "am/pm") || StartsWithNoCase(rest.substr(i), "a/p")) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string FormatDateTime(std::string_view picture, const LocalTime& t, const LocaleNames& names) {
  std::string out;
  char lastLetter = 0;
  size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    char token = Upper(c);
    if (token == 'M' && lastLetter == 'H') token = 'N';
    if (token >= 'A' && token <= 'Z') lastLetter = token;

    size_t run = 1;
    while (i + run < picture.size() && Upper(picture[i + run]) == Upper(c)) ++run;

    switch (token) {
      case 'Y':
        if (run <= 2)
          AppendNumber(out, ((t.Year % 100) + 100) % 100, true);
        else
          AppendNumber(out, t.Year, false);
        i += run;
        break;
      case 'M':
        if (run <= 2)
          AppendNumber(out, t.Month, run == 2);
        else
          out += NameAt(run == 3 ? names.ShortMonthNames : names.LongMonthNames, t.Month - 1);
        i += run;
        break;
      case 'D':
        if (run <= 2)
          AppendNumber(out, t.Day, run == 2);
        else
          out += NameAt(run == 3 ? names.ShortDayNames : names.LongDayNames, t.DayOfWeek);
        i += run;
        break;
      case 'H': {
        int32_t hour = t.Hour;
        if (TwelveHourAhead(picture.substr(i + run))) {
          hour %= 12;
          if (hour == 0) hour = 12;
        }
        AppendNumber(out, hour, run >= 2);
        i += run;
        break;
      }
      case 'N':
        AppendNumber(out, t.Minute, run >= 2);
        i += run;
        break;
      case 'S':
        AppendNumber(out, t.Second, run >= 2);
        i += run;
        break;
      case 'A': {
        // The marker is copied from the picture, keeping the case the user wrote.
        const std::string_view rest = picture.substr(i);
        const bool pm = t.Hour >= 12;
        if (StartsWithNoCase(rest, "am/pm")) {
          out += rest.substr(pm ? 3 : 0, 2);
          i += 5;
        } else if (StartsWithNoCase(rest, "a/p")) {
          out += rest.substr(pm ? 2 : 0, 1);
          i += 3;
        } else {
          out += c;
          ++i;
        }
        break;
      }
      case '\'':
      case '"': {
        const size_t end = picture.find(c, i + 1);
        const size_t stop = end == std::string_view::npos ? picture.size() : end;
        out += picture.substr(i + 1, stop - i - 1);
        i = end == std::string_view::npos ? picture.size() : end + 1;
        break;
      }
      default:
        out += c;
        ++i;
        break;
    }
  }
  return out;
}

std::string_view ClockPicture(int32_t style) {
  switch (style) {
    case 1000: return "hh:mm";
    case 1001: return "hh:mm am/pm";
    case 1002: return "dddd";
    case 1003: return "dd-mmm-yy";
    default: return {};
  }
}

std::string ClockCaption(int32_t style, const LocalTime& t, const LocaleNames& names) {
  const std::string_view picture = ClockPicture(style);
  return picture.empty() ? std::string() : FormatDateTime(picture, t, names);
}

std::string ClockHint(const LocalTime& t, const LocaleNames& names) {
  return FormatDateTime("dddd dd-mmm-yy hh:mm", t, names);
}

}  // namespace korvi
