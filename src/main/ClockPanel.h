#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

  // True when the last tick changed what button `n` shows (its caption, its glyph, or
  // it is a clock or gauge the tick had not drawn before): only those places need
  // drawing again. A digital clock changes once a minute, or once a day; a gauge when
  // its graph moves.
  bool PictureChanged(int n) const { return n >= 1 && n <= kButtonCount && changed_[n]; }

 private:
  void CommitFaceMinute();
  // Compares what every live button shows now with what it showed after the last tick.
  void NoteChangedPictures();

  // What a live button shows, as far as a tick can change it.
  struct Shown {
    int32_t IData = 0, Width = 0, Height = 0;
    std::string Caption;
    PictureRef Glyph;  // held, so that no other picture can take its address meanwhile
    bool operator==(const Shown&) const = default;
  };
  // The graph a gauge's glyph was drawn from: the same graph again needs no new glyph.
  struct Graph {
    int32_t Width = 0, Height = 0;
    TColor Background = 0;
    std::vector<GraphPixel> Pixels;
    PictureRef Glyph;  // the glyph drawn from it
  };

  TForm1& form_;
  SystemInfo& system_;
  GaugeCanvas& canvas_;
  GlyphSource* glyphs_;
  int32_t drawnMinute_ = -1;  // minute of the day of faces drawn in this tick, -1 when none
  std::array<std::optional<Shown>, kButtonCount + 1> shown_{};  // by button number
  std::array<bool, kButtonCount + 1> changed_{};
  std::array<Graph, kButtonCount + 1> graphs_{};
};

// Minute of the day (0..1439) that an analogue face shows.
int32_t FaceMinute(const LocalTime& t);

}  // namespace korvi
