// The drawing kit against real GDI: the off-screen paint lands where the window's own
// coordinates say, and only inside the part to be painted.
#include <gtest/gtest.h>
#include <windows.h>

#include "winkit/DibBitmap_win.h"
#include "winkit/Paint_win.h"

namespace korvi {
namespace {

TEST(WinKit, BufferedDrawingLandsInPlaceAndOnlyInsideThePartToPaint) {
  DibBitmap target;
  ASSERT_TRUE(target.SetSize(16, 16));
  BitmapDC dc(target.Handle());
  ASSERT_TRUE(dc);
  const RECT all{0, 0, 16, 16};
  ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

  const RECT part{4, 6, 12, 14};
  RECT seen{};
  DrawBuffered(dc.Get(), part, [&](HDC mem, const RECT& dirty) {
    seen = dirty;
    ::FillRect(mem, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SetPixel(mem, 5, 7, RGB(0, 0, 255));
  });
  EXPECT_TRUE(::EqualRect(&seen, &part)) << "the draw is told the part to paint";
  EXPECT_EQ(target.Pixel(5, 7), RGB(0, 0, 255)) << "drawn in the target's own coordinates";
  EXPECT_EQ(target.Pixel(4, 6), RGB(0, 0, 0));
  EXPECT_EQ(target.Pixel(11, 13), RGB(0, 0, 0));
  for (POINT p : {POINT{3, 6}, POINT{4, 5}, POINT{12, 13}, POINT{11, 14}, POINT{0, 0}, POINT{15, 15}})
    EXPECT_EQ(target.Pixel(p.x, p.y), RGB(255, 255, 255)) << "outside the part at " << p.x << "," << p.y;

  bool drew = false;
  DrawBuffered(dc.Get(), RECT{5, 5, 5, 9}, [&](HDC, const RECT&) { drew = true; });
  EXPECT_FALSE(drew) << "an empty part draws nothing";
}

}  // namespace
}  // namespace korvi
