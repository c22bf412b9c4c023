// The real Korvi8.exe under scripted use for a while (KORVI_SOAK_SECONDS, 150 by default):
// a switch every few hundred milliseconds among ten desktops, test windows opening and
// closing (some of them hung for a while), a clock and a load gauge ticking, and every
// ten seconds one menu command in turn (new clock, arrange, desktop count, panel colour,
// auto-hide with a collapse and an expand). Afterwards it still runs, its object counts
// and private bytes (as the pager itself reports them) are flat, every window still open
// is at its own place on its own desktop, and the settings file is whole.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "e2e/MenuDriver.h"
#include "platform/ResourceUse_win.h"
#include "support/PagerFixture_win.h"
#include "win/WinTestUtil.h"

namespace korvi::e2e {
namespace {

using SoakEndToEnd = PagerTest;

int SelectorX(int n) { return 4 + (n - 1) * 79 + 37; }

struct Sample {
  int seconds;
  DWORD gdi, user;
  SIZE_T privateKb;
  DWORD dcs;  // device contexts and their clipping regions, where the pager can tell them apart
};

// The pager's own figures, as it reports them on request: a system may tell another
// process none of them.
Sample Measure(HWND pager, int seconds) {
  auto ask = [&](Resource r) {
    DWORD_PTR n = 0;
    ::SendMessageTimeoutA(pager, kResourceQuery, static_cast<WPARAM>(r), 0, SMTO_NORMAL, 5000, &n);
    return static_cast<DWORD>(n);
  };
  auto askType = [&](DWORD type) {
    DWORD_PTR n = 0;
    ::SendMessageTimeoutA(pager, kResourceQuery, kGdiTypeQuery + type, 0, SMTO_NORMAL, 5000, &n);
    return static_cast<DWORD>(n);
  };
  return {seconds, ask(Resource::GdiObjects), ask(Resource::UserObjects), ask(Resource::PrivateKib),
          askType(OBJ_DC) + askType(OBJ_REGION)};
}

int Height(const RECT& r) { return r.bottom - r.top; }

// One menu command of the soak's round: what the pager did not do, or nothing.
std::string MenuRound(PagerSession& pager, int round, int& clocks) {
  RECT pr = pager.PagerRect();
  const int bareX = pr.right - pr.left - 10, bareY = 80;
  auto choose = [&](int item, int sub = -1) {
    if (!RightClick(pager, bareX, bareY)) return false;
    Choose(item, sub);
    return true;
  };
  switch (round % 5) {
    case 0:  // a new clock (a few at most), which comes over the first selector: arranged at once
      if (clocks >= 3) return {};
      if (!choose(menu::NewClock)) return "no menu for a new clock";
      ++clocks;
      if (!test::PumpUntil([&] { return IniValue(pager, ("BUTTON" + std::to_string(12 + clocks)).c_str(), "VISIBLE") == "1"; }))
        return "no new clock";
      [[fallthrough]];
    case 1:
      return choose(menu::Arrange) ? "" : "no menu for arrange";
    case 2:  // nine desktops, then ten again
      if (!choose(menu::DeskCount, 8)) return "no menu for 9 desktops";
      if (!test::PumpUntil([&] { return IniValue(pager, "DESKTOP", "COUNT") == "9"; })) return "not 9 desktops";
      if (!choose(menu::DeskCount, 9)) return "no menu for 10 desktops";
      return test::PumpUntil([&] { return IniValue(pager, "DESKTOP", "COUNT") == "10"; }) ? "" : "not 10 desktops";
    case 3: {  // the colour chooser, cancelled
      HWND chooser = ChooseUntilShown(pager, bareX, bareY, menu::PanelColor, "#32770", "Color");
      if (!chooser) return "no colour chooser";
      Press(chooser, IDCANCEL);
      return test::PumpUntil([&] { return !::IsWindowVisible(chooser); }) ? "" : "the colour chooser stayed";
    }
    default: {  // auto-hide on: the panel collapses when the mouse leaves, expands at a touch
      if (!choose(menu::AutoHide)) return "no menu for auto-hide on";
      const int full = Height(pr);
      const int awayX = ::GetSystemMetrics(SM_CXSCREEN) / 2, awayY = ::GetSystemMetrics(SM_CYSCREEN) / 3;
      std::string failed;
      // A busy system may drop a pointer move: each step is tried again, as a user would.
      bool collapsed = false, expanded = false;
      for (int tries = 0; tries < 3 && !collapsed; ++tries) {
        PagerSession::MoveMouse(awayX, awayY);
        collapsed = test::PumpUntil([&] { return Height(pager.PagerRect()) < full / 2; }, 6000);
      }
      if (!collapsed) failed = "did not collapse";
      for (int tries = 0; tries < 3 && !expanded; ++tries) {
        const RECT strip = pager.PagerRect();
        PagerSession::MoveMouse(awayX, awayY);
        PagerSession::MoveMouse((strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2);
        expanded = test::PumpUntil([&] { return Height(pager.PagerRect()) == full; }, 6000);
      }
      if (!expanded && failed.empty()) failed = "did not expand";
      if (!choose(menu::AutoHide)) return failed.empty() ? "no menu for auto-hide off" : failed;
      if (!test::PumpUntil([&] { return IniValue(pager, "FORM", "HIDE") == "0"; }) && failed.empty())
        failed = "auto-hide stayed on";
      return failed;
    }
  }
}

// A window of the test with the desktop it was opened on and its place there.
struct Tracked {
  HWND hwnd;
  std::unique_ptr<test::ThreadWindow> hung;  // owned by a thread that answers nothing for a while
  int desktop, left;
};

TEST_F(SoakEndToEnd, ScriptedUseLeavesNoLeakAndNoLostWindow) {
  const char* env = std::getenv("KORVI_SOAK_SECONDS");
  const int seconds = env ? std::atoi(env) : 150;
  if (seconds <= 0) GTEST_SKIP() << "KORVI_SOAK_SECONDS=0";
  std::string ini = "; soak: kept by every save\r\n[FORM]\r\nHIDE=0\r\n[DESKTOP]\r\nCOUNT=10\r\n";
  for (int n = 1; n <= 10; ++n)
    ini += "[BUTTON" + std::to_string(n) + "]\r\nVISIBLE=1\r\nLEFT=" + std::to_string(4 + (n - 1) * 79) +
           "\r\nTOP=4\r\nWIDTH=75\r\nHEIGHT=25\r\nIDATA=" + std::to_string(n) + "\r\n";
  ini += "[BUTTON11]\r\nVISIBLE=1\r\nLEFT=4\r\nTOP=34\r\nWIDTH=75\r\nHEIGHT=25\r\nIDATA=1000\r\n";
  ini += "[BUTTON12]\r\nVISIBLE=1\r\nLEFT=83\r\nTOP=34\r\nWIDTH=60\r\nHEIGHT=40\r\nIDATA=2000\r\n";
  ASSERT_TRUE(StartPager(ini.c_str()));
  WaitForStartupAbout();
  const HWND pager = Pager().Pager();

  const int W = ::GetSystemMetrics(SM_CXSCREEN);
  std::mt19937 rng(18);
  test::TestWindows plain;
  std::vector<Tracked> open;
  int current = 1, opened = 0, closed = 0, switches = 0, rounds = 0, clocks = 0;
  // The figures are judged from the end of the second round of every menu command on: the
  // first uses of a dialog or a new clock leave objects the system keeps for the next ones.
  constexpr int kWarmRounds = 10;
  size_t warm = 0;
  // A window of desktop 1 that always answers tells which desktop the pager shows, so the
  // script never takes a click the busy system dropped for a switch that happened.
  const int probeLeft = 700;
  const HWND probe = plain.Open(probeLeft, 520, 120, 60, true, "soak probe");
  auto shows = [&](int desktop) { return test::LeftOf(probe) == probeLeft + (1 - desktop) * W; };
  std::vector<Sample> curve{Measure(pager, 0)};
  const ULONGLONG start = ::GetTickCount64();
  for (ULONGLONG now = start; now - start < static_cast<ULONGLONG>(seconds) * 1000; now = ::GetTickCount64()) {
    const int r = static_cast<int>(rng() % 10);
    if (r < 2 && opened < 100) {  // a window opens on the desktop shown, at a place of its own
      const int left = 50 + static_cast<int>(rng() % 600), top = 100 + static_cast<int>(rng() % 400);
      Tracked t{nullptr, nullptr, current, left};
      if (rng() % 5 == 0) {
        t.hung = std::make_unique<test::ThreadWindow>(left, top, 200, 120, true, "soak hung");
        t.hwnd = t.hung->Handle();
      } else {
        t.hwnd = plain.Open(left, top, 200, 120, true, "soak window");
      }
      ++opened;
      open.push_back(std::move(t));
    } else if (r < 3 && !open.empty()) {  // one closes (a hung one wakes first)
      const size_t i = rng() % open.size();
      if (open[i].hung) open[i].hung->Wake();
      else ::DestroyWindow(open[i].hwnd);
      open.erase(open.begin() + static_cast<long>(i));
      ++closed;
    } else if (r < 4) {  // a hung window starts answering again
      for (Tracked& t : open)
        if (t.hung && t.hung->Blocked()) {
          t.hung->Wake();
          break;
        }
    }
    current = 1 + static_cast<int>(rng() % 10);
    for (int tries = 0; tries < 3 && !shows(current); ++tries) {
      Pager().ClickClient(SelectorX(current), 16);
      test::PumpUntil([&] { return shows(current); }, 1500);
    }
    if (!shows(current)) SaveScreenshot("soak-lost-click");
    ASSERT_TRUE(shows(current)) << "three clicks on selector " << current << " did not show its desktop";
    ++switches;
    test::Pump(150);
    if ((now - start) / 10000 != (::GetTickCount64() - start) / 10000) {
      const std::string failed = MenuRound(Pager(), rounds, clocks);
      if (!failed.empty()) SaveScreenshot("soak-menu-round");
      EXPECT_EQ(failed, "") << "menu round " << rounds;
      ++rounds;
      curve.push_back(Measure(pager, static_cast<int>((::GetTickCount64() - start) / 1000)));
      if (rounds == kWarmRounds) warm = curve.size() - 1;
    }
  }
  for (Tracked& t : open)
    if (t.hung) t.hung->Wake();
  EXPECT_TRUE(Pager().Running()) << "the pager did not survive";
  curve.push_back(Measure(pager, seconds));
  std::printf("soak: %d s, %d switches, %d menu commands, %d windows opened, %d closed, %zu open at the end\n",
              seconds, switches, rounds, opened, closed, open.size());
  for (const Sample& s : curve)
    std::printf("soak curve: %4d s  GDI %4lu (DCs and regions %3lu)  USER %4lu  private %6lu KiB\n", s.seconds,
                static_cast<unsigned long>(s.gdi), static_cast<unsigned long>(s.dcs), static_cast<unsigned long>(s.user),
                static_cast<unsigned long>(s.privateKb));
  std::string types;
  for (DWORD t = OBJ_PEN; t <= OBJ_COLORSPACE; ++t) {
    DWORD_PTR n = 0;
    ::SendMessageTimeoutA(pager, kResourceQuery, kGdiTypeQuery + t, 0, SMTO_NORMAL, 5000, &n);
    if (n) types += " " + std::to_string(t) + ":" + std::to_string(n);
  }
  std::printf("soak: GDI objects at the end by type (GetObjectType: count):%s\n", types.c_str());

  // Flat: from the warm sample on, no growth beyond small noise.
  const Sample& early = curve[warm];
  const Sample& last = curve.back();
  EXPECT_GT(early.gdi, 0u) << "the pager reports its figures";
  EXPECT_GT(early.privateKb, 0u);
  if (warm > 0) {
    std::printf("soak: judged from %d s on\n", early.seconds);
    // Wine keeps a cache of device contexts (each with its clipping region) that grows to
    // the most in use at once and never shrinks, in steps whenever a dialog paints many
    // controls together (one step of 75 was seen in a 30-minute run): those are allowed a
    // wider margin than every other object, which a device context lost at every switch
    // still exceeds here; the long run tells smaller losses.
    EXPECT_LE(last.gdi - last.dcs, early.gdi - early.dcs + 10);
    EXPECT_LE(last.dcs, early.dcs + 96);
    EXPECT_LE(last.user, early.user + 10);
    EXPECT_LE(last.privateKb, early.privateKb + 4096);
  } else {
    std::printf("soak: too short to judge the figures (%d menu commands, %d needed)\n", rounds, kWarmRounds);
  }

  for (const Tracked& t : open) {
    const int expected = t.left + (t.desktop - current) * W;
    EXPECT_TRUE(test::PumpUntil([&] { return test::LeftOf(t.hwnd) == expected; }, 5000))
        << "window of desktop " << t.desktop << " at " << test::LeftOf(t.hwnd) << ", not " << expected;
  }
  RECT pr = Pager().PagerRect();
  Pager().ClickClient(pr.right - pr.left - 10, 80);  // a click on the bare panel saves
  EXPECT_TRUE(test::PumpUntil([&] { return Pager().ReadIni().find("[BUTTON128]") != std::string::npos; }));
  const std::string saved = Pager().ReadIni();
  EXPECT_EQ(saved.rfind("; soak: kept by every save\r\n", 0), 0u) << saved.substr(0, 200);
  EXPECT_NE(saved.find("COUNT=10"), std::string::npos);
  EXPECT_NE(saved.find("IDATA=2000"), std::string::npos);
}

}  // namespace
}  // namespace korvi::e2e
