// "Follow Focus" over a scripted desktop 1024 pixels wide, four desktops, desktop 1
// shown. A window "on desktop d" lies (d - 1) x 1024 to the right of its place.
// Activate() is a window coming to the front; the watcher hears of it (the system's
// notice) unless the test turns the notices off, and then only Check() (the timer) sees it.
#include <gtest/gtest.h>

#include "panel/IniFile.h"
#include "support/PagerRig.h"

namespace korvi {
namespace {

constexpr int32_t W = 1024;

// A pager started on the four desktops, with the helpers the cases share.
struct Follow : test::PagerRig {
  explicit Follow(const std::string& options = "", bool notices = true) {
    fake.Windows.HookDelivers = notices;
    Start("[FORM]\r\nHIDE=0\r\n[DESKTOP]\r\nCOUNT=4\r\n" + options);
    Later(1000);  // start-up is long past
  }
  // A window at x = 100 of desktop d (as seen from desktop 1), 300 wide.
  WindowHandle On(int32_t d, bool iconic = false) {
    return fake.Windows.Add({100 + (d - 1) * W, 50, 400 + (d - 1) * W, 250}, "", true, iconic);
  }
  int32_t LeftOf(WindowHandle h) { return fake.Windows.Get(h).Bounds.Left; }
  int32_t Current() { return data.CurrentDesktop; }
  void Later(uint64_t ms) { fake.Windows.Clock += ms; }
  std::string SavedMode() { return IniFile::Parse(Ini()).ReadString("OPTIONS", "FOLLOWFOCUS", "none"); }
};

TEST(FollowFocus, EachModeOnTheSystemsNotice) {
  struct Case {
    const char* options;
    int32_t current, front, other;  // desktop shown, left of the window come to the front and of another
  } cases[] = {
      {"", 2, 100, 100 + W},  // 1, the default: its desktop is shown
      {"[OPTIONS]\r\nFOLLOWFOCUS=1\r\n", 2, 100, 100 + W},
      {"[OPTIONS]\r\nFOLLOWFOCUS=2\r\n", 1, 100, 100 + 2 * W},  // the window comes here alone
      {"[OPTIONS]\r\nFOLLOWFOCUS=0\r\n", 1, 100 + W, 100 + 2 * W},
  };
  for (const Case& c : cases) {
    Follow f(c.options);
    EXPECT_EQ(f.form.FollowPeriod(), 0) << c.options << ": the hook is set, no timer even before a notice";
    const WindowHandle front = f.On(2), other = f.On(3);
    f.fake.Windows.Activate(front);
    EXPECT_EQ(f.Current(), c.current) << c.options;
    EXPECT_EQ(f.LeftOf(front), c.front) << c.options;
    EXPECT_EQ(f.LeftOf(other), c.other) << c.options << " (a window of desktop 3)";
    EXPECT_EQ(f.form.Button(2).Down, c.current == 2) << c.options << " selector 2 shows the desktop shown";
  }
}

TEST(FollowFocus, WhereAWindowLiesDecidesTheDesktop) {
  struct Case {
    int32_t current;
    Rect bounds;  // as seen from the desktop shown
    int32_t shown;
    const char* why;
  } cases[] = {
      {1, {W - 10, 0, W + 290, 100}, 1, "ten pixels on the screen: the user sees it here"},
      {1, {-290, 0, 10, 100}, 1, "ten pixels on the screen, from the left"},
      {1, {W + 500, 0, 2 * W + 300, 100}, 2, "straddling 2 and 3, most of it on 2"},
      {1, {2 * W - 100, 0, 2 * W + 300, 100}, 3, "straddling 2 and 3, most of it on 3"},
      {3, {-W + 100, 0, -W + 400, 100}, 2, "to the left of desktop 3"},
      {1, {6 * W + 100, 0, 6 * W + 400, 100}, 4, "stranded beyond the last desktop: the last"},
      {4, {3 * W + 100, 0, 3 * W + 400, 100}, 4, "stranded beyond the last, seen from it"},
      {1, {-3 * W, 0, -3 * W + 300, 100}, 1, "stranded beyond the first, seen from it"},
  };
  for (const Case& c : cases) {
    Follow f;
    f.form.ChangeDesktop(c.current);
    f.Later(1000);
    const WindowHandle h = f.fake.Windows.Add(c.bounds);
    f.fake.Windows.Activate(h);
    EXPECT_EQ(f.Current(), c.shown) << c.why;
    const Rect at = f.fake.Windows.Get(h).Bounds;
    EXPECT_TRUE(at.Right > 0 && at.Left < W) << c.why << ": the window is on the screen, left " << at.Left;
  }
}

TEST(FollowFocus, OwnWindowsAndOwnSwitchesAreNeverFollowedBack) {
  Follow f("", /*notices=*/false);  // the timer's path: it sees every window in front
  const WindowHandle mine = f.On(2), first = f.On(1), third = f.On(3);
  f.fake.Windows.Get(mine).Own = true;
  f.fake.Windows.Activate(mine);
  f.form.FollowCheck();
  EXPECT_EQ(f.Current(), 1) << "the pager's own window (a dialog off the screen) is not followed";

  // The user's window in front as the user goes to desktop 2: it goes away with
  // desktop 1 and stays in front, and nothing brings desktop 1 back.
  f.fake.Windows.Activate(first);
  f.form.FollowCheck();
  f.form.ButtonClick(f.form.Button(2));
  EXPECT_EQ(f.LeftOf(first), 100 - W);
  for (int i = 0; i < 3; ++i, f.Later(1000)) f.form.FollowCheck();
  EXPECT_EQ(f.Current(), 2) << "the switch did not bounce back";

  // Just after a send, the system hands the focus on to the window sent away.
  const WindowHandle sent = f.fake.Windows.Add({300, 300, 500, 500});
  f.fake.Windows.Activate(sent);
  f.form.FollowCheck();
  f.form.HotButton = 4;
  f.services.PickedEntry = [&] {
    f.winList.Load();  // as the picker does
    for (int i = 1; i <= kWinListSize; ++i)
      if (f.winList.Entry(i).Handle == sent) return i;
    return 0;
  };
  f.form.Popup1Popup(tag::MoveWindow);
  ASSERT_EQ(f.LeftOf(sent), 300 + 2 * W) << "sent to desktop 4";
  f.fake.Windows.Activate(mine);
  f.fake.Windows.Activate(sent);
  f.Later(FocusFollow::kOwnMoveQuiet - 1);
  f.form.FollowCheck();
  EXPECT_EQ(f.Current(), 2) << "a window in front right after the pager's own move is the pager's doing";
  f.Later(1000);
  f.fake.Windows.Activate(third);
  f.form.FollowCheck();
  EXPECT_EQ(f.Current(), 3) << "later ones are followed again";
  EXPECT_EQ(f.LeftOf(third), 100);
}

TEST(FollowFocus, AFollowedSwitchLetsTheNextFrontFollowAtOnce) {
  Follow f;
  const WindowHandle second = f.On(2), third = f.On(3);
  f.fake.Windows.Activate(second);
  f.fake.Windows.Activate(third);
  EXPECT_EQ(f.Current(), 3) << "the follow's own switch starts no quiet time";
  f.fake.Windows.Heard(third);  // the same window told again
  f.form.FollowCheck();
  EXPECT_EQ(f.Current(), 3);
  EXPECT_EQ(f.LeftOf(second), 100 - W);
}

TEST(FollowFocus, AfterANoticeTheTimerLooksAWhileForAFrontHandedOn) {
  Follow f;
  int told = 0;
  f.form.OnFollowPeriodChange([&] { ++told; });
  const WindowHandle bar = f.On(1), away = f.On(2);
  f.fake.Windows.Activate(bar);  // the click on the taskbar: its focus is announced
  EXPECT_EQ(told, 1) << "the timer is asked for";
  EXPECT_EQ(f.form.FollowPeriod(), FocusFollow::kCheckPeriod);
  f.fake.Windows.HookDelivers = false;  // the bar hands the activation on, unannounced
  f.fake.Windows.Activate(away);
  f.Later(FocusFollow::kLookAfterNotice - 1);
  f.form.FollowCheck();
  EXPECT_EQ(f.Current(), 2) << "the timer's look follows";
  f.Later(1);
  EXPECT_EQ(f.form.FollowPeriod(), 0) << "then the timer stops";
  EXPECT_EQ(told, 1);
}

TEST(FollowFocus, MinimisedWindowIsJudgedWhereItIsRestored) {
  Follow f("[OPTIONS]\r\nFOLLOWFOCUS=2\r\n");
  const WindowHandle h = f.On(3, /*iconic=*/true);
  f.fake.Windows.Activate(h);
  EXPECT_EQ(f.LeftOf(h), 100 + 2 * W) << "a minimised window has no desktop yet";
  EXPECT_EQ(f.form.FollowPeriod(), FocusFollow::kCheckPeriod) << "the timer looks again while it waits";
  f.form.FollowCheck();
  EXPECT_EQ(f.LeftOf(h), 100 + 2 * W);
  f.fake.Windows.Get(h).Iconic = false;
  f.form.FollowCheck();
  EXPECT_EQ(f.LeftOf(h), 100) << "restored on desktop 3, it is brought here";
  EXPECT_EQ(f.Current(), 1);
  f.Later(FocusFollow::kLookAfterNotice);
  EXPECT_EQ(f.form.FollowPeriod(), 0) << "notices come and nothing waits: no timer";
}

TEST(FollowFocus, TheTimerAloneWhereNoHookCanBeSet) {
  test::PagerRig r;
  r.fake.Windows.OffersHook = false;
  r.fake.Windows.HookDelivers = false;
  const WindowHandle atStart = r.fake.Windows.Add({100 + W, 0, 400 + W, 100});
  r.fake.Windows.Foreground = atStart;
  r.Start("[FORM]\r\nHIDE=0\r\n");
  r.fake.Windows.Clock += 1000;
  r.form.FollowCheck();
  EXPECT_EQ(r.data.CurrentDesktop, 1) << "the window in front at start is not followed";
  EXPECT_EQ(r.form.FollowPeriod(), FocusFollow::kCheckPeriod) << "no hook: the timer looks";
  const WindowHandle h = r.fake.Windows.Add({100 + W, 0, 400 + W, 100});
  r.fake.Windows.Activate(h);
  EXPECT_EQ(r.data.CurrentDesktop, 1) << "nothing heard";
  r.form.FollowCheck();
  EXPECT_EQ(r.data.CurrentDesktop, 2) << "the timer's look follows";
  r.form.Popup1Popup(tag::FollowFocus);
  EXPECT_EQ(r.form.FollowPeriod(), 0) << "off: no timer";
}

TEST(FollowFocus, TheSettingAndTheMenuItem) {
  struct Case {
    const char* line;
    int32_t mode;
  } cases[] = {{"", 1},
               {"FOLLOWFOCUS=0\r\n", 0},
               {"FOLLOWFOCUS=1\r\n", 1},
               {"FOLLOWFOCUS=2\r\n", 2},
               {"FOLLOWFOCUS=3\r\n", 1},
               {"FOLLOWFOCUS=-1\r\n", 1},
               {"FOLLOWFOCUS=often\r\n", 1}};
  for (const Case& c : cases) {
    Follow f(std::string("[OPTIONS]\r\n") + c.line);
    const std::string before = f.Ini();
    EXPECT_EQ(f.form.FollowFocus(), c.mode) << c.line;
    f.form.Popup1Popup(tag::Opening);
    EXPECT_EQ(f.form.Popup1.Find("ppFollowFocus")->Checked, c.mode != 0) << c.line;
    f.form.Popup1Popup(tag::AutoHide);
    f.form.Popup1Popup(tag::AutoHide);
    EXPECT_EQ(IniFile::Parse(f.Ini()).Get("OPTIONS", "FOLLOWFOCUS"), IniFile::Parse(before).Get("OPTIONS", "FOLLOWFOCUS"))
        << "other saves leave the line as the user wrote it, or away: " << c.line;
    f.form.Popup1Popup(tag::FollowFocus);
    EXPECT_EQ(f.SavedMode(), c.mode ? "0" : "1") << c.line;
    f.form.Popup1Popup(tag::FollowFocus);
    EXPECT_EQ(f.form.FollowFocus(), c.mode) << c.line << " off and on again: in the way it followed";
    EXPECT_EQ(f.SavedMode(), std::to_string(c.mode)) << c.line;
  }
}

}  // namespace
}  // namespace korvi
