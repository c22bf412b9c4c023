// Clock faces and load graphs drawn with GDI, checked pixel by pixel; the locale's
// names and the memory figures from the real system; the tick's GDI and USER objects.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>

#include "main/ClockDraw_win.h"
#include "main/ClockFormat.h"
#include "main/ClockPanel.h"
#include "support/ClockButtons.h"
#include "platform/SystemInfo_win.h"
#include "platform/Win32Platform_win.h"
#include "win/GuiObjects.h"

namespace korvi {
namespace {

const DibPicture& Dib(const PictureRef& p) {
  const auto* d = dynamic_cast<const DibPicture*>(p.get());
  if (!d) throw std::runtime_error("not a DibPicture");
  return *d;
}

double DistanceToSegment(Point p, Point a, Point b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / len2 : 0;
  t = t < 0 ? 0 : t > 1 ? 1 : t;
  return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

// A 32-bit memory surface filled with one colour, to draw pictures onto.
struct Surface {
  std::shared_ptr<DibPicture> pic;
  HDC dc;
  HGDIOBJ old;
  Surface(int w, int h, COLORREF fill) : pic(DibPicture::Create(w, h)), dc(::CreateCompatibleDC(nullptr)) {
    pic->Fill(fill);
    old = ::SelectObject(dc, pic->Bitmap());
  }
  ~Surface() {
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
  }
  COLORREF At(int x, int y) {
    ::GdiFlush();
    return pic->PixelAt(x, y);
  }
};

TEST(ClockFaceDrawing, MarksAreExactSquaresOnTheKeyColour) {
  GdiGaugeCanvas canvas;
  const ClockFace f = LayOutClockFace(100, 100, 14, 5, clBlack);
  const PictureRef held = canvas.DrawClockFace(f);
  const DibPicture& pic = Dib(held);
  ASSERT_EQ(pic.Width(), 100);
  ASSERT_EQ(pic.Height(), 100);
  const COLORREF key = RGB(255, 0, 0), ink = RGB(0, 0, 0);
  int checked = 0;
  for (const Point& m : f.Marks) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        EXPECT_EQ(pic.PixelAt(m.X + dx, m.Y + dy), ink) << "mark at " << m.X << "," << m.Y;
    // The ring around a mark is background, unless a hand passes near it.
    if (DistanceToSegment(m, f.Centre, f.MinuteHand) < 5 || DistanceToSegment(m, f.Centre, f.HourHand) < 5) continue;
    ++checked;
    for (int d = -2; d <= 2; ++d) {
      EXPECT_EQ(pic.PixelAt(m.X + d, m.Y - 2), key) << "above mark " << m.X << "," << m.Y;
      EXPECT_EQ(pic.PixelAt(m.X + d, m.Y + 2), key) << "below mark " << m.X << "," << m.Y;
      EXPECT_EQ(pic.PixelAt(m.X - 2, m.Y + d), key) << "left of mark " << m.X << "," << m.Y;
      EXPECT_EQ(pic.PixelAt(m.X + 2, m.Y + d), key) << "right of mark " << m.X << "," << m.Y;
    }
  }
  EXPECT_GE(checked, 10) << "only the mark under the minute hand is skipped";
  EXPECT_TRUE(pic.Transparent);
  EXPECT_EQ(pic.TransparentColor, 0x0000FF) << "see-through in the key colour, read from the bottom left pixel";
}

TEST(ClockFaceDrawing, HandsHaveTheirWidthsAndRedInkGetsABlueKey) {
  GdiGaugeCanvas canvas;
  const ClockFace f = LayOutClockFace(100, 100, 3, 0, clRed);  // hour hand right, minute hand up
  const PictureRef held = canvas.DrawClockFace(f);
  const DibPicture& pic = Dib(held);
  const COLORREF ink = RGB(255, 0, 0), key = RGB(0, 0, 255);
  EXPECT_EQ(pic.TransparentColor, 0xFF0000);
  EXPECT_EQ(f.HourHand, (Point{75, 50}));
  EXPECT_EQ(f.MinuteHand, (Point{50, 5}));
  // Across the hour hand at x = 62: a band of ink about 4 pixels high around y = 50.
  int hourBand = 0, minuteBand = 0;
  for (int y = 40; y <= 60; ++y) hourBand += pic.PixelAt(62, y) == ink;
  for (int x = 40; x <= 60; ++x) minuteBand += pic.PixelAt(x, 30) == ink;
  EXPECT_GE(hourBand, 3);
  EXPECT_LE(hourBand, 5);
  EXPECT_GE(minuteBand, 1);
  EXPECT_LE(minuteBand, 3);
  EXPECT_LT(minuteBand, hourBand) << "the minute hand is the thinner one";
  EXPECT_EQ(pic.PixelAt(5, 95), key);
}

TEST(ClockFaceDrawing, FaceIsSeeThroughWhenDrawnOnAButton) {
  GdiGaugeCanvas canvas;
  const PictureRef face = canvas.DrawClockFace(LayOutClockFace(48, 48, 14, 5, clBlack));
  Surface s(60, 60, RGB(0, 200, 0));
  Dib(face).Draw(s.dc, 6, 6);
  EXPECT_EQ(s.At(6 + 1, 6 + 1), RGB(0, 200, 0)) << "the key colour lets the button face through";
  const Point m = LayOutClockFace(48, 48, 14, 5, clBlack).Marks[6];
  EXPECT_EQ(s.At(6 + m.X, 6 + m.Y), RGB(0, 0, 0));
  EXPECT_EQ(s.At(2, 2), RGB(0, 200, 0)) << "nothing drawn outside the picture";
}

TEST(ClockFaceDrawing, ButtonsGetCopiesThatLaterDrawingsLeaveAlone) {
  GdiGaugeCanvas canvas;
  const PictureRef first = canvas.DrawClockFace(LayOutClockFace(48, 48, 0, 0, clBlack));
  const COLORREF before = Dib(first).PixelAt(24, 10);  // on the minute hand at twelve
  canvas.DrawClockFace(LayOutClockFace(48, 48, 6, 30, clBlack));
  EXPECT_EQ(Dib(first).PixelAt(24, 10), before);
  EXPECT_NE(first.get(), static_cast<const Picture*>(canvas.ClockBitmap()));
}

TEST(LoadGraphDrawing, PixelsLandWhereTheArithmeticSaysAndTheFaceShowsThrough) {
  GdiGaugeCanvas canvas;
  std::array<LoadSample, kLoadSamples + 1> h{};
  h[50].Values[PhysicalUsed] = 50;
  h[20].Values[MemoryLoad] = 80;
  const PictureRef g = canvas.DrawLoadGraph(92, 92, clBtnFace, LoadGraphPixels(h, 92, 92));
  const DibPicture& pic = Dib(g);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(pic.PixelAt(46, 46), RGB(255, 0, 0));
  EXPECT_EQ(pic.PixelAt(18, 18), RGB(255, 255, 255)) << "entry 20 at 80 %";
  EXPECT_EQ(pic.PixelAt(30, 30), face);

  Surface s(100, 100, RGB(0, 200, 0));
  pic.Draw(s.dc, 4, 4);
  EXPECT_EQ(s.At(4 + 30, 4 + 30), RGB(0, 200, 0)) << "style 2000: the background is see-through";
  EXPECT_EQ(s.At(4 + 46, 4 + 46), RGB(255, 0, 0));
}

TEST(LoadGraphDrawing, SolidStyleKeepsItsBlockButNotTheCorner) {
  GdiGaugeCanvas canvas;
  std::array<LoadSample, kLoadSamples + 1> h{};
  const PictureRef g = canvas.DrawLoadGraph(40, 30, 0x800000, LoadGraphPixels(h, 40, 30));
  Surface s(50, 50, RGB(0, 200, 0));
  Dib(g).Draw(s.dc, 0, 0);
  EXPECT_EQ(s.At(20, 10), RGB(0, 0, 128)) << "style 2001: a navy block";
  EXPECT_EQ(s.At(0, 29), RGB(0, 200, 0)) << "the bottom left pixel is see-through";
  EXPECT_EQ(s.At(1, 29), RGB(0, 0, 128));
}

TEST(LoadGraphDrawing, EmptyAndAbsurdSizesDrawNothing) {
  GdiGaugeCanvas canvas;
  EXPECT_EQ(canvas.DrawLoadGraph(0, 92, clBtnFace, {})->Width(), 0);
  EXPECT_EQ(canvas.DrawLoadGraph(-5, -5, clBtnFace, {})->Width(), 0);
  EXPECT_EQ(canvas.DrawClockFace(LayOutClockFace(100000, 100000, 1, 1, clBlack))->Width(), 0);
  Surface s(10, 10, RGB(1, 2, 3));
  const PictureRef empty = canvas.DrawLoadGraph(0, 0, clBtnFace, {});
  Dib(empty).Draw(s.dc, 0, 0);
  EXPECT_EQ(s.At(0, 0), RGB(1, 2, 3));
}

TEST(RealSystemInfo, NamesAreTheLocaleOnes) {
  Win32SystemInfo sys;
  const LocaleNames& names = sys.Names();
  SYSTEMTIME st{};
  st.wYear = 2001, st.wMonth = 3, st.wDay = 7, st.wDayOfWeek = 3;  // a Wednesday
  char expected[128] = {};
  ::GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, "dddd dd-MMM-yy", expected, sizeof expected);
  LocalTime t{2001, 3, 7, 3, 14, 5, 0};
  EXPECT_EQ(ClockHint(t, names), std::string(expected) + " 14:05");
  for (const std::string& n : names.LongDayNames) EXPECT_FALSE(n.empty());
  for (const std::string& n : names.ShortMonthNames) EXPECT_FALSE(n.empty());
}

TEST(RealSystemInfo, MemoryFiguresMakeSenseAndNowIsToday) {
  Win32SystemInfo sys;
  const MemoryStatus m = sys.Memory();
  EXPECT_LE(m.MemoryLoad, 100u);
  EXPECT_GT(m.TotalPhys, 0u);
  EXPECT_LE(m.AvailPhys, m.TotalPhys);
  EXPECT_GT(m.TotalVirtual, 0u);
  const LoadSample s = SampleOf(m);
  for (int v : s.Values) {
    EXPECT_GE(v, 0);
    EXPECT_LE(v, 100);
  }
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  const LocalTime now = sys.Now();
  EXPECT_EQ(now.Year, st.wYear);
  EXPECT_EQ(now.DayOfWeek, st.wDayOfWeek);
}

// The real memory figures and names, with a clock that moves one minute per tick so
// every tick draws the analogue faces anew.
class MinutePerTick : public SystemInfo {
 public:
  LocalTime Now() override {
    LocalTime t{2001, 3, 7, 3, (minute_ / 60) % 24, minute_ % 60, 0};
    ++minute_;
    return t;
  }
  MemoryStatus Memory() override { return real_.Memory(); }
  const LocaleNames& Names() override { return real_.Names(); }

 private:
  Win32SystemInfo real_;
  int minute_ = 0;
};

TEST(ClockTickObjects, TenThousandTicksHoldNoMoreObjectsThanTheFirstHundred) {
  Win32Platform platform;
  SharedState data;
  TWinListDialog winList{platform.Windows};
  TForm1 form{data, platform.Ref, winList};
  form.FormCreate("C:\\");
  MinutePerTick sys;
  GdiGaugeCanvas canvas;
  ClockPanel panel{form, sys, canvas};
  test::AddTenClocksAndTenGauges(form);
  for (int i = 0; i < 20; ++i) {
    TExeButton& b = form.Button(11 + i);
    if (i < 10) b.Width = 48 + i;  // faces of several sizes
    b.Font.Color = i % 3 == 0 ? clRed : clBlack;
  }
  for (int t = 0; t < 100; ++t) panel.Tick();
  const test::GuiObjects after100 = test::CountGuiObjects();
  const DWORD start = ::GetTickCount();
  for (int t = 100; t < 10000; ++t) panel.Tick();
  const DWORD ms = ::GetTickCount() - start;
  const test::GuiObjects after10000 = test::CountGuiObjects();
  std::printf("[ objects ] after 100 ticks: %ld GDI, %ld USER; after 10000: %ld GDI, %ld USER (%s); "
              "%.1f us per tick\n",
              after100.Gdi, after100.User, after10000.Gdi, after10000.User,
              after100.FromSystem ? "GetGuiResources" : "counted by probing", ms * 1000.0 / 9900);
  EXPECT_GT(after100.Gdi, 0) << "the count itself works";
  EXPECT_EQ(after10000.Gdi, after100.Gdi) << "GDI objects leaked by the tick";
  EXPECT_EQ(after10000.User, after100.User) << "USER objects leaked by the tick";
  // The thread's first window may bring a helper window of the system along: the second is counted alone.
  HWND probes[2];
  for (HWND& p : probes) p = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  const long withBoth = test::CountGuiObjects().User;
  ::DestroyWindow(probes[1]);
  EXPECT_EQ(test::CountGuiObjects().User, withBoth - 1) << "the count sees this process's windows";
  ::DestroyWindow(probes[0]);
  EXPECT_NE(form.Button(15).Glyph, nullptr) << "the analogue clock has its face";
}

}  // namespace
}  // namespace korvi
