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
  NoteChangedPictures();
}

void ClockPanel::NoteChangedPictures() {
  for (int i = 1; i <= kButtonCount; ++i) {
    const TExeButton& b = form_.Button(i);
    if (!b.Enabled || !(kind::IsClock(b.IData) || kind::IsGauge(b.IData))) {
      shown_[i].reset();
      graphs_[i] = {};
      changed_[i] = false;
      continue;
    }
    Shown now{b.IData, b.Width, b.Height, b.Caption, b.Glyph};
    changed_[i] = shown_[i] != now;
    shown_[i] = std::move(now);
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
  const TColor background = GaugeBackground(b.IData, b.Font.Color);
  std::vector<GraphPixel> pixels = LoadGraphPixels(history, w, h);
  // A steady load draws the same graph second after second: the glyph already shows it.
  Graph& last = graphs_[b.Tag >= 1 && b.Tag <= kButtonCount ? b.Tag : 0];
  const bool same = b.Glyph && b.Glyph == last.Glyph && last.Width == w && last.Height == h &&
                    last.Background == background && last.Pixels == pixels;
  if (!same) {
    b.Glyph = canvas_.DrawLoadGraph(w, h, background, pixels);
    last = {w, h, background, std::move(pixels), b.Glyph};
  }
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
