// What a snapshot reports for windows whose posted moves may not have landed yet.
#include <gtest/gtest.h>

#include "platform/PendingMoves.h"
#include "support/GeometryPrint.h"

namespace korvi {
namespace {

// Places of one window across a few switches, 1024 wide: A on desktop 1, B one
// screen left of it, C two screens left, D elsewhere (moved by its own program).
const Rect A{100, 0, 400, 200}, B{-924, 0, -624, 200}, C{-1948, 0, -1648, 200}, D{500, 50, 800, 250};
constexpr WindowHandle kWin = 0x42;

struct Step {
  const char* what;
  Rect askedTo;   // a move posted now (A..D), or {} for none
  Rect shownAt;   // where the system then shows the window
  Rect reported;  // what the snapshot must say
};

TEST(PendingMoves, ReportsTheTargetUntilTheWindowShowsItDone) {
  const std::vector<std::vector<Step>> stories = {
      {{"posted, not yet done", B, A, B}, {"done", {}, B, B}, {"forgotten once done", {}, A, A}},
      {{"two switches while busy", B, A, B}, {"", C, A, C}, {"the first move landed", {}, B, C},
       {"both landed", {}, C, C}},
      {{"moved away and back while busy", B, A, B}, {"", A, A, A}, {"the first move landed", {}, B, A},
       {"both landed", {}, A, A}},
      {{"posted", B, A, B}, {"its program put it elsewhere", {}, D, D}, {"believed from then on", {}, A, A}},
  };
  for (const auto& story : stories) {
    PendingMoves pending;
    Rect shown = story.front().shownAt;
    for (const Step& s : story) {
      if (!(s.askedTo == Rect{})) pending.Asked(kWin, shown, s.askedTo);
      shown = s.shownAt;
      EXPECT_EQ(pending.Reported(kWin, shown), s.reported) << story.front().what << " / " << s.what;
    }
  }
}

TEST(PendingMoves, MoveByNothingAndClosedWindowsLeaveNothingBehind) {
  PendingMoves pending;
  pending.Asked(kWin, A, A);
  EXPECT_TRUE(pending.Empty()) << "a move to where the window is waits for nothing";
  pending.Asked(kWin, A, B);
  pending.Asked(0x43, A, C);
  pending.KeepOnly({0x43});
  EXPECT_FALSE(pending.IsPending(kWin)) << "a closed window's move is forgotten (its handle may be reused)";
  EXPECT_EQ(pending.Reported(kWin, A), A);
  EXPECT_EQ(pending.Reported(0x43, A), C);
}

}  // namespace
}  // namespace korvi
