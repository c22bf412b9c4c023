#pragma once
#include <cstdint>

#include "main/GaugeCanvas.h"
#include "main/main.h"
#include "platform/Picture.h"
#include "platform/SystemInfo.h"

namespace korvi {

// The live buttons of the panel: clocks (IData 1000..1004) and load gauges
// (2000..2001). The pager's one-second timer runs Tick; a click on one of them
// steps its style.
class ClockPanel {
 public:
  // `glyphs` rebuilds a clock's own glyph when its style changes (may be null: no glyphs).
  ClockPanel(TForm1& form, SystemInfo& system, GaugeCanvas& canvas, GlyphSource* glyphs = nullptr);

  // One timer tick: a load sample, then every enabled clock, then every enabled
  // gauge, each in table order.
  void Tick();

  // Takes one memory-load sample into the history.
  void SaveLoad();
  // Updates one clock button for the time `now`.
  void DrawClock(TExeButton& button, const LocalTime& now);
  // Updates one load gauge from the history.
  void DrawLoad(TExeButton& button);

  // The click on a clock: next of its five styles, its own glyph back, redrawn at once.
  void StepClockStyle(TExeButton& button);
  // The click on a gauge: next of its two styles, shown at the next tick.
  void StepGaugeStyle(TExeButton& button);

 private:
  void CommitFaceMinute();

  TForm1& form_;
  SystemInfo& system_;
  GaugeCanvas& canvas_;
  GlyphSource* glyphs_;
  int32_t drawnMinute_ = -1;  // minute of the day of faces drawn in this tick, -1 when none
};

// Minute of the day (0..1439) that an analogue face shows.
int32_t FaceMinute(const LocalTime& t);

}  // namespace korvi
