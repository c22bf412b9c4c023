// The timer tick over the button table: clocks, load gauges and their style steps.
#include <gtest/gtest.h>

#include <functional>

#include "main/ClockPanel.h"
#include "support/FakeGaugeCanvas.h"
#include "support/FakePlatform.h"
#include "support/FakeSystemInfo.h"

namespace korvi {
namespace {

class CountingGlyphs : public GlyphSource {
 public:
  PictureRef LoadGlyph(const std::string& file, int index) override {
    Requests.push_back(file + "#" + std::to_string(index));
    return std::make_shared<test::FakeGaugePicture>(16, 16, -1);
  }
  std::vector<std::string> Requests;
};

class ClockTick : public ::testing::Test {
 protected:
  test::FakePlatform fake;
  SharedState data;
  TWinListDialog winList{fake.Windows};
  CountingGlyphs glyphs;
  TForm1 form{data, fake.Ref, winList, &glyphs};
  test::FakeSystemInfo sys;
  test::FakeGaugeCanvas canvas;
  ClockPanel panel{form, sys, canvas, &glyphs};

  void SetUp() override { form.FormCreate("C:\\Korvi\\"); }

  TExeButton& Add(int n, int32_t idata, int w = 75, int h = 25) {
    TExeButton& b = form.Button(n);
    b.Enabled = b.Visible = true;
    b.IData = idata;
    b.Width = w;
    b.Height = h;
    b.Caption = "Clock";
    return b;
  }
};

TEST_F(ClockTick, DigitalClocksAndHintAtFivePastTwo) {
  TExeButton& c0 = Add(11, 1000);
  TExeButton& c1 = Add(12, 1001);
  TExeButton& c2 = Add(13, 1002);
  TExeButton& c3 = Add(14, 1003);
  panel.Tick();
  EXPECT_EQ(c0.Caption, "14:05");
  EXPECT_EQ(c1.Caption, "02:05 pm");
  EXPECT_EQ(c2.Caption, "Wednesday");
  EXPECT_EQ(c3.Caption, "07-Mar-01");
  for (TExeButton* b : {&c0, &c1, &c2, &c3}) {
    EXPECT_EQ(b->Hint, "Wednesday 07-Mar-01 14:05");
    EXPECT_TRUE(b->ShowHint);
    EXPECT_FALSE(b->Glyph) << "digital styles leave the glyph alone";
  }
  EXPECT_EQ(canvas.Made, 0);
}

TEST_F(ClockTick, DisabledAndOtherButtonsAreLeftAlone) {
  TExeButton& off = Add(11, 1000);
  off.Enabled = false;
  TExeButton& launcher = Add(12, 0);
  panel.Tick();
  EXPECT_EQ(off.Caption, "Clock");
  EXPECT_EQ(launcher.Caption, "Clock");
  EXPECT_EQ(form.Button(1).Caption, "Desktop 1");
  EXPECT_EQ(sys.MemoryCalls, 1) << "one sample per tick, clocks or not";
}

TEST_F(ClockTick, AnalogueFaceIsRedrawnOnlyWhenTheMinuteChanges) {
  TExeButton& a = Add(20, 1004, 48, 48);
  a.Font.Color = clRed;
  panel.Tick();
  ASSERT_EQ(canvas.Faces.size(), 1u);
  EXPECT_EQ(canvas.Faces[0].Key, clBlue) << "red ink: blue key";
  EXPECT_EQ(canvas.Faces[0].Width, 48);
  EXPECT_EQ(a.Caption, "");
  ASSERT_TRUE(test::AsFake(a.Glyph));
  const int first = test::AsFake(a.Glyph)->Serial;

  sys.Time.Second = 40;
  panel.Tick();
  EXPECT_EQ(canvas.Faces.size(), 1u) << "same minute: the face stays";
  EXPECT_EQ(test::AsFake(a.Glyph)->Serial, first);

  sys.Time.Minute = 6;
  panel.Tick();
  EXPECT_EQ(canvas.Faces.size(), 2u);
  EXPECT_EQ(data.LastMinute, 14 * 60 + 6);
}

TEST_F(ClockTick, AnHourJumpWithTheSameMinuteRedrawsTheFace) {
  Add(20, 1004, 48, 48);
  panel.Tick();
  sys.Time.Hour = 13;  // clocks turned back for winter time
  panel.Tick();
  EXPECT_EQ(canvas.Faces.size(), 2u);
}

TEST_F(ClockTick, EveryAnalogueClockGetsTheNewMinute) {
  TExeButton& a = Add(20, 1004, 48, 48);
  TExeButton& b = Add(30, 1004, 60, 40);
  panel.Tick();
  sys.Time.Minute = 6;
  panel.Tick();
  ASSERT_EQ(canvas.Faces.size(), 4u);
  EXPECT_EQ(canvas.Faces[2].Width, 48) << "table order";
  EXPECT_EQ(canvas.Faces[3].Width, 60);
  EXPECT_NE(test::AsFake(a.Glyph), test::AsFake(b.Glyph)) << "each button holds its own copy";
  EXPECT_EQ(test::AsFake(b.Glyph)->Face.MinuteHand, LayOutClockFace(60, 40, 14, 6, clWindowText).MinuteHand);
}

TEST_F(ClockTick, GaugeDrawsTheHistoryWithAHintOfTheNewestSample) {
  TExeButton& g = Add(40, 2000, 100, 100);
  g.Caption = "Load";
  sys.Mem.MemoryLoad = 25;
  sys.Mem.TotalPhys = 1000, sys.Mem.AvailPhys = 500;
  sys.Mem.TotalPageFile = 1000, sys.Mem.AvailPageFile = 875;
  sys.Mem.TotalVirtual = 1000, sys.Mem.AvailVirtual = 625;
  panel.Tick();
  const auto* pic = test::AsFake(g.Glyph);
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic->Width(), 92);
  EXPECT_EQ(pic->Height(), 92);
  EXPECT_EQ(pic->Background, clBtnFace);
  EXPECT_EQ(g.Caption, "");
  EXPECT_EQ(g.Hint, "(White)Load:25%   (Red)Physical:50%   (Green)Page:12%   (Blue)Virtual:38%");
  EXPECT_TRUE(g.ShowHint);
  EXPECT_EQ(data.LoadHistory[100].Values[PhysicalUsed], 50);
  EXPECT_EQ(data.LoadHistory[99].Values[PhysicalUsed], 0);
  EXPECT_EQ(pic->Pixels, LoadGraphPixels(data.LoadHistory, 92, 92));

  g.IData = 2001;
  g.Font.Color = 0x123456;
  panel.Tick();
  EXPECT_EQ(test::AsFake(g.Glyph)->Background, 0x123456) << "style 2001: a block in the font colour";
}

// Which places the tick asks to draw again: a clock when what it shows changes (the
// minute, the day), a gauge when its graph moves; a first tick draws every one.
TEST_F(ClockTick, OnlyPicturesTheTickChangedAreDrawnAgain) {
  TExeButton& hhmm = Add(11, 1000);
  Add(12, 1002);  // the day's name
  TExeButton& face = Add(13, 1004, 48, 48);
  TExeButton& gauge = Add(14, 2000, 40, 40);
  const auto changed = [&] {
    std::string s;
    for (int n : {11, 12, 13, 14}) s += panel.PictureChanged(n) ? '1' : '0';
    return s;
  };
  sys.Mem.MemoryLoad = 30;
  struct Step {
    const char* what;
    std::function<void()> change;
    const char* expected;  // buttons 11..14
  };
  const Step steps[] = {
      {"first tick", [] {}, "1111"},
      {"same minute, same load", [&] { sys.Time.Second = 40; }, "0001"},  // the new sample moves the graph
      {"the history fills", [&] { for (int i = 0; i < kLoadSamples; ++i) panel.SaveLoad(); }, "0001"},
      {"the history is steady", [] {}, "0000"},
      {"next minute", [&] { sys.Time.Minute = 6; }, "1010"},
      {"next day", [&] { sys.Time.Day = 8, sys.Time.DayOfWeek = 4; }, "0100"},
      {"the load moves by less than a pixel", [&] { sys.Mem.MemoryLoad = 31; }, "0000"},
      {"a bigger clock", [&] { hhmm.Width = 80; }, "1000"},
      {"the gauge's style", [&] { panel.StepGaugeStyle(gauge); }, "0001"},
  };
  for (const Step& step : steps) {
    step.change();
    panel.Tick();
    EXPECT_EQ(changed(), step.expected) << step.what;
  }
  EXPECT_EQ(hhmm.Caption, "14:06") << "the clock shows the new minute";
  EXPECT_EQ(test::AsFake(face.Glyph)->Face.MinuteHand, LayOutClockFace(48, 48, 14, 6, clWindowText).MinuteHand);
  const int graphs = canvas.Graphs;
  panel.Tick();
  EXPECT_EQ(canvas.Graphs, graphs) << "the same graph again is not drawn again";
  gauge.Glyph.reset();
  panel.Tick();
  EXPECT_EQ(canvas.Graphs, graphs + 1) << "a gauge that lost its glyph gets it back";
  EXPECT_TRUE(panel.PictureChanged(14));
  sys.Mem.MemoryLoad = 60;
  panel.Tick();
  EXPECT_FALSE(panel.PictureChanged(14)) << "the newest sample is not drawn yet";
  panel.Tick();
  EXPECT_TRUE(panel.PictureChanged(14)) << "a second later the graph shows it";
  gauge.IData = 0;
  panel.Tick();
  EXPECT_FALSE(panel.PictureChanged(14)) << "a launcher is not the tick's";
}

TEST_F(ClockTick, TinyGaugeGetsAnEmptyGraph) {
  TExeButton& g = Add(40, 2000, 8, 30);
  panel.Tick();
  ASSERT_TRUE(test::AsFake(g.Glyph));
  EXPECT_TRUE(test::AsFake(g.Glyph)->Pixels.empty());
}

TEST_F(ClockTick, ClockClicksCycleThroughFiveStylesAndRedrawAtOnce) {
  TExeButton& c = Add(11, 1000);
  c.SetGlyphName("C:\\pics\\clock.bmp");
  const size_t loadsBefore = glyphs.Requests.size();
  panel.Tick();
  sys.Time.Minute = 7;  // the click comes later; the tick it runs shows the new time
  panel.StepClockStyle(c);
  EXPECT_EQ(c.IData, 1001);
  EXPECT_EQ(c.Caption, "02:07 pm") << "drawn at once";
  EXPECT_EQ(sys.MemoryCalls, 2) << "the extra tick takes an extra sample";
  EXPECT_EQ(glyphs.Requests.size(), loadsBefore + 1) << "its own glyph is rebuilt";
  panel.StepClockStyle(c);
  panel.StepClockStyle(c);
  panel.StepClockStyle(c);
  EXPECT_EQ(c.IData, 1004);
  EXPECT_EQ(canvas.Faces.size(), 1u) << "turning analogue draws its face at once";
  panel.StepClockStyle(c);
  EXPECT_EQ(c.IData, 1000) << "five clicks: back to the first style";
  ASSERT_TRUE(test::AsFake(c.Glyph));
  EXPECT_EQ(test::AsFake(c.Glyph)->Serial, -1) << "the face is replaced by the button's own glyph";
  EXPECT_EQ(data.LastMinute, -1) << "the next analogue clock must draw again";
}

TEST_F(ClockTick, ClockWithoutGlyphNameLosesTheFace) {
  TExeButton& c = Add(11, 1004, 48, 48);
  panel.Tick();
  ASSERT_TRUE(c.Glyph);
  panel.StepClockStyle(c);
  EXPECT_FALSE(c.Glyph);
  EXPECT_EQ(c.Caption, "14:05");
}

TEST_F(ClockTick, GaugeClicksToggleWithoutDrawing) {
  TExeButton& g = Add(40, 2000, 100, 100);
  panel.StepGaugeStyle(g);
  EXPECT_EQ(g.IData, 2001);
  EXPECT_EQ(canvas.Graphs, 0) << "the new style shows at the next tick";
  panel.StepGaugeStyle(g);
  EXPECT_EQ(g.IData, 2000);
  TExeButton& c = Add(11, 1000);
  panel.StepGaugeStyle(c);
  panel.StepClockStyle(g);
  EXPECT_EQ(c.IData, 1000) << "a step of the other kind changes nothing";
  EXPECT_EQ(g.IData, 2000);
}

}  // namespace
}  // namespace korvi
