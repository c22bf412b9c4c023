#include "main/ClockPanel.h"

#include "main/ClockFormat.h"

namespace korvi {

namespace {
constexpr int32_t kAnalogue = 1004;
}

int32_t FaceMinute(const LocalTime& t) { return t.Hour * 60 + t.Minute; }

ClockPanel::ClockPanel(TForm1& form, SystemInfo& system, GaugeCanvas& canvas, GlyphSource* glyphs)
    : form_(form), system_(system), canvas_(canvas), glyphs_(glyphs) {}

void ClockPanel::Tick() {
  SaveLoad();
  const LocalTime now = system_.Now();
  drawnMinute_ = -1;
  for (int i = 1; i <= kButtonCount; ++i) {
    TExeButton& b = form_.Button(i);
    if (b.Enabled && kind::IsClock(b.IData)) DrawClock(b, now);
  }
  CommitFaceMinute();
  for (int i = 1; i <= kButtonCount; ++i) {
    TExeButton& b = form_.Button(i);
    if (b.Enabled && kind::IsGauge(b.IData)) DrawLoad(b);
  }
}

void ClockPanel::SaveLoad() { PushLoadSample(form_.Data().LoadHistory, SampleOf(system_.Memory())); }

void ClockPanel::DrawClock(TExeButton& b, const LocalTime& now) {
  const LocaleNames& names = system_.Names();
  b.Hint = ClockHint(now, names);
  b.ShowHint = true;
  if (b.IData != kAnalogue) {
    b.Caption = ClockCaption(b.IData, now, names);
    return;
  }
  // Every analogue clock gets a new face when the shown minute changes; the minute
  // is remembered once all clocks of the tick are drawn (CommitFaceMinute), so a
  // second analogue clock does not find it already taken and stop.
  const int32_t minute = FaceMinute(now);
  if (minute == form_.Data().LastMinute) return;
  b.Glyph = canvas_.DrawClockFace(LayOutClockFace(b.Width, b.Height, now.Hour, now.Minute, b.Font.Color));
  b.Caption.clear();
  drawnMinute_ = minute;
}

void ClockPanel::CommitFaceMinute() {
  if (drawnMinute_ >= 0) form_.Data().LastMinute = drawnMinute_;
  drawnMinute_ = -1;
}

void ClockPanel::DrawLoad(TExeButton& b) {
  if (!kind::IsGauge(b.IData)) return;
  const auto& history = form_.Data().LoadHistory;
  const int32_t w = b.Width - 8, h = b.Height - 8;
  b.Glyph = canvas_.DrawLoadGraph(w, h, GaugeBackground(b.IData, b.Font.Color), LoadGraphPixels(history, w, h));
  b.Caption.clear();
  b.Hint = LoadHint(history[kLoadSamples]);
  b.ShowHint = true;
}

void ClockPanel::StepClockStyle(TExeButton& b) {
  if (!kind::IsClock(b.IData)) return;
  b.IData = b.IData == kind::LastClock ? kind::FirstClock : b.IData + 1;
  b.Glyph.reset();
  if (!b.GlyphName().empty() && glyphs_ != nullptr) b.Glyph = glyphs_->LoadGlyph(b.GlyphName(), b.IconIndex());
  form_.Data().LastMinute = -1;
  Tick();
}

void ClockPanel::StepGaugeStyle(TExeButton& b) {
  if (!kind::IsGauge(b.IData)) return;
  b.IData = b.IData == kind::LastGauge ? kind::FirstGauge : b.IData + 1;
}

}  // namespace korvi
