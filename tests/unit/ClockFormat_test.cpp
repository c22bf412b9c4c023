// Date-time pictures of the clock buttons, with English names from the fake locale.
#include <gtest/gtest.h>

#include "main/ClockFormat.h"
#include "support/FakeSystemInfo.h"

namespace korvi {
namespace {

LocalTime At(int hour, int minute) {
  LocalTime t{2001, 3, 7, 3, hour, minute, 9};  // Wednesday 7 March 2001
  return t;
}

class ClockFormat : public ::testing::Test {
 protected:
  test::FakeSystemInfo sys;
  const LocaleNames& names = sys.Names();
};

TEST_F(ClockFormat, AfternoonInEveryDigitalStyle) {
  const LocalTime t = At(14, 5);
  EXPECT_EQ(ClockCaption(1000, t, names), "14:05");
  EXPECT_EQ(ClockCaption(1001, t, names), "02:05 pm");
  EXPECT_EQ(ClockCaption(1002, t, names), "Wednesday");
  EXPECT_EQ(ClockCaption(1003, t, names), "07-Mar-01");
  EXPECT_EQ(ClockHint(t, names), "Wednesday 07-Mar-01 14:05");
  EXPECT_EQ(ClockCaption(1004, t, names), "") << "the analogue style has no caption";
  EXPECT_EQ(ClockCaption(999, t, names), "");
}

TEST_F(ClockFormat, TwelveHourClockAroundMidnightAndNoon) {
  EXPECT_EQ(ClockCaption(1001, At(0, 30), names), "12:30 am");
  EXPECT_EQ(ClockCaption(1001, At(11, 59), names), "11:59 am");
  EXPECT_EQ(ClockCaption(1001, At(12, 0), names), "12:00 pm");
  EXPECT_EQ(ClockCaption(1000, At(0, 30), names), "00:30") << "24-hour without am/pm";
}

TEST_F(ClockFormat, MonthAfterHourMeansMinutes) {
  const LocalTime t = At(9, 4);
  EXPECT_EQ(FormatDateTime("mm", t, names), "03") << "m without an hour before it is the month";
  EXPECT_EQ(FormatDateTime("h:m", t, names), "9:4");
  EXPECT_EQ(FormatDateTime("hh mm", t, names), "09 04");
  EXPECT_EQ(FormatDateTime("mmmm yyyy", t, names), "March 2001");
  EXPECT_EQ(FormatDateTime("ddd d/m", t, names), "Wed 7/3");
}

TEST_F(ClockFormat, MarkersKeepTheirCaseAndQuotesAreLiteral) {
  EXPECT_EQ(FormatDateTime("hh AM/PM", At(15, 0), names), "03 PM");
  EXPECT_EQ(FormatDateTime("h a/p", At(15, 0), names), "3 p");
  EXPECT_EQ(FormatDateTime("'hh' \"dd\" hh", At(15, 0), names), "hh dd 15");
  EXPECT_EQ(FormatDateTime("at", At(15, 0), names), "at") << "a lone a is text";
  EXPECT_EQ(FormatDateTime("'open", At(15, 0), names), "open") << "an unclosed quote runs to the end";
}

TEST_F(ClockFormat, NamesComeFromTheLocale) {
  LocaleNames finnish = names;
  finnish.LongDayNames[3] = "keskiviikko";
  finnish.ShortMonthNames[2] = "maalis";
  EXPECT_EQ(ClockHint(At(14, 5), finnish), "keskiviikko 07-maalis-01 14:05");
}

TEST_F(ClockFormat, BrokenTimeGivesNoNameInsteadOfReadingPastTheTable) {
  LocalTime t = At(14, 5);
  t.Month = 13;
  t.DayOfWeek = -1;
  EXPECT_EQ(FormatDateTime("dddd|mmm|mmmm", t, names), "||");
}

}  // namespace
}  // namespace korvi
