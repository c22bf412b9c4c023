#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "help/HtmlReader.h"

namespace korvi {

// The font of a piece of text: run_style bits and the heading level (0 = body text).
struct ReaderFont {
  uint8_t Style = 0;
  int32_t Level = 0;
  bool operator==(const ReaderFont&) const = default;
};

// Text measurement of the surface the reader draws on.
class ReaderMeasure {
 public:
  virtual ~ReaderMeasure() = default;
  virtual int32_t TextWidth(std::string_view utf8, ReaderFont font) = 0;
  virtual int32_t LineHeight(ReaderFont font) = 0;
};

// One piece of text (or a horizontal rule) at its place on the page.
struct ReaderPiece {
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
  std::string Text;  // empty for a rule
  ReaderFont Font;
  std::string Href;
  bool Rule = false;
};

struct ReaderPage {
  std::vector<ReaderPiece> Pieces;  // in reading order, Y never decreasing by line
  std::vector<int32_t> BlockTops;   // top of each block; one more entry for the end
  int32_t Height = 0;
};

// Lays a document out for a page `width` pixels wide: words wrap at blanks, a
// word wider than the line breaks between characters, list items carry their
// marker, table rows share the width equally among their cells.
ReaderPage LayOutPage(const ReaderDocument& doc, int32_t width, ReaderMeasure& measure);

}  // namespace korvi
