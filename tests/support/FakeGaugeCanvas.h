#pragma once
#include <vector>

#include "main/GaugeCanvas.h"

namespace korvi::test {

// A picture that remembers what was drawn into it.
class FakeGaugePicture : public Picture {
 public:
  FakeGaugePicture(int w, int h, int serial) : w_(w), h_(h), Serial(serial) {}
  int Width() const override { return w_; }
  int Height() const override { return h_; }

 private:
  int w_, h_;

 public:
  int Serial;  // 1 for the first picture the canvas made, and so on
  bool IsFace = false;
  ClockFace Face;
  TColor Background = 0;
  std::vector<GraphPixel> Pixels;
};

// Records every drawing and hands out a fresh picture each time, as the real one does.
class FakeGaugeCanvas : public GaugeCanvas {
 public:
  PictureRef DrawClockFace(const ClockFace& face) override {
    auto p = std::make_shared<FakeGaugePicture>(face.Width, face.Height, ++Made);
    p->IsFace = true;
    p->Face = face;
    Faces.push_back(face);
    return p;
  }
  PictureRef DrawLoadGraph(int32_t w, int32_t h, TColor background, const std::vector<GraphPixel>& pixels) override {
    auto p = std::make_shared<FakeGaugePicture>(w, h, ++Made);
    p->Background = background;
    p->Pixels = pixels;
    ++Graphs;
    return p;
  }

  int Made = 0;
  int Graphs = 0;
  std::vector<ClockFace> Faces;
};

inline const FakeGaugePicture* AsFake(const PictureRef& p) { return dynamic_cast<const FakeGaugePicture*>(p.get()); }

}  // namespace korvi::test
