#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/SystemInfo.h"

namespace korvi {

// Expands a date-time picture the way the panel's clocks define it:
//   d dd ddd dddd    day, two-digit day, short and long day name
//   m mm mmm mmmm    month, two-digit month, short and long month name;
//                    m/mm right after an hour token (h, hh) mean minutes instead
//   yy yyyy          two- and four-digit year
//   h hh n nn s ss   hour (12-hour when am/pm or a/p follows), minutes, seconds
//   am/pm a/p        "am"/"pm" or "a"/"p", in the letter case written in the picture
//   '...' "..."      literal text
// Letters are case-insensitive; every other character is copied as it stands.
std::string FormatDateTime(std::string_view picture, const LocalTime& t, const LocaleNames& names);

// The picture of a digital clock style (1000..1003); empty for any other code.
std::string_view ClockPicture(int32_t style);
// The caption of a digital clock style; empty for the analogue style and other codes.
std::string ClockCaption(int32_t style, const LocalTime& t, const LocaleNames& names);
// The hint every clock style shows: day name, date and time.
std::string ClockHint(const LocalTime& t, const LocaleNames& names);

}  // namespace korvi
