#include "help/ReaderLayout.h"

#include <algorithm>

namespace korvi {

namespace {

constexpr int32_t kMargin = 12;

// Length of the UTF-8 character that starts at s[i].
size_t CharLength(std::string_view s, size_t i) {
  size_t n = 1;
  while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80) ++n;
  return n;
}

// Places the runs of one block between x0 and x1 from `top` downwards; returns the
// bottom of the last line.
class LineBuilder {
 public:
  LineBuilder(ReaderPage& page, ReaderMeasure& m, int32_t x0, int32_t x1, int32_t top, int32_t level, bool pre)
      : page_(page), m_(m), x0_(x0), x1_(std::max(x1, x0 + 1)), y_(top), level_(level), pre_(pre), x_(x0) {}

  void AddRun(const ReaderRun& run) {
    ReaderFont font{run.Style, level_};
    std::string_view t = run.Text;
    size_t i = 0;
    while (i < t.size()) {
      if (t[i] == '\n') {
        if (lineStart_ == page_.Pieces.size()) lineHeight_ = std::max(lineHeight_, m_.LineHeight(font));
        EndLine();
        ++i;
        continue;
      }
      // A word with the blanks before it.
      size_t s = i;
      while (i < t.size() && t[i] == ' ') ++i;
      size_t w = i;
      while (i < t.size() && t[i] != ' ' && t[i] != '\n') ++i;
      std::string_view spaces = t.substr(s, w - s), word = t.substr(w, i - w);
      if (!pre_ && x_ == x0_) spaces = {};  // no blank at the start of a line
      PlaceWord(spaces, word, font, run.Href);
    }
  }

  int32_t Finish() {
    EndLine();
    return y_;
  }

 private:
  void PlaceWord(std::string_view spaces, std::string_view word, ReaderFont font, const std::string& href) {
    const int32_t ww = word.empty() ? 0 : m_.TextWidth(word, font);
    int32_t sw = spaces.empty() ? 0 : m_.TextWidth(spaces, font);
    if (x_ > x0_ && x_ + sw + ww > x1_) {
      EndLine();
      if (!pre_) spaces = {}, sw = 0;
    }
    if (x_ + sw + ww <= x1_ || word.empty()) {
      Emit(std::string(spaces) + std::string(word), sw + ww, font, href);
      return;
    }
    // Wider than a whole line: one pass over its characters, filling line after line.
    std::string part(spaces);
    int32_t partWidth = sw;
    for (size_t n = 0; n < word.size();) {
      const size_t k = CharLength(word, n);
      const int32_t cw = m_.TextWidth(word.substr(n, k), font);
      if (x_ + partWidth + cw > x1_ && !part.empty()) {
        Emit(std::move(part), partWidth, font, href);
        EndLine();
        part.clear();
        partWidth = 0;
      }
      part.append(word.substr(n, k));
      partWidth += cw;
      n += k;
    }
    Emit(std::move(part), partWidth, font, href);
  }

  void Emit(std::string text, int32_t width, ReaderFont font, const std::string& href) {
    if (text.empty()) return;
    const int32_t h = m_.LineHeight(font);
    lineHeight_ = std::max(lineHeight_, h);
    // Words of the same run on one line become one piece.
    if (page_.Pieces.size() > lineStart_) {
      ReaderPiece& last = page_.Pieces.back();
      if (!last.Rule && last.Font == font && last.Href == href && last.X + last.Width == x_) {
        last.Text += text;
        last.Width += width;
        x_ += width;
        return;
      }
    }
    ReaderPiece p;
    p.X = x_;
    p.Width = width;
    p.Height = h;
    p.Text = std::move(text);
    p.Font = font;
    p.Href = href;
    page_.Pieces.push_back(std::move(p));
    x_ += width;
  }

  void EndLine() {
    for (size_t k = lineStart_; k < page_.Pieces.size(); ++k)
      page_.Pieces[k].Y = y_ + lineHeight_ - page_.Pieces[k].Height;  // bottoms aligned
    y_ += lineHeight_;
    lineHeight_ = 0;
    lineStart_ = page_.Pieces.size();
    x_ = x0_;
  }

  ReaderPage& page_;
  ReaderMeasure& m_;
  int32_t x0_, x1_, y_, level_;
  bool pre_;
  int32_t x_;
  int32_t lineHeight_ = 0;
  size_t lineStart_ = page_.Pieces.size();
};

}  // namespace

ReaderPage LayOutPage(const ReaderDocument& doc, int32_t width, ReaderMeasure& measure) {
  ReaderPage page;
  const int32_t body = std::max(1, measure.LineHeight({}));
  const int32_t indentStep = body * 3 / 2;
  const int32_t right = std::max(width - kMargin, kMargin + 4 * body);
  int32_t y = kMargin;
  bool first = true;
  for (const ReaderBlock& b : doc.Blocks) {
    const int32_t gap = b.Kind == ReaderBlockKind::Heading     ? body * (b.Level <= 2 ? 1 : 3) / (b.Level <= 2 ? 1 : 4)
                        : b.Kind == ReaderBlockKind::ListItem  ? body / 4
                        : b.Kind == ReaderBlockKind::TableRow  ? 0
                                                               : body / 2;
    if (!first) y += gap;
    first = false;
    page.BlockTops.push_back(y);
    const int32_t x0 = std::min(kMargin + b.Indent * indentStep, right - 4 * body);
    switch (b.Kind) {
      case ReaderBlockKind::Rule: {
        ReaderPiece p;
        p.Rule = true;
        p.X = x0;
        p.Y = y + body / 4;
        p.Width = right - x0;
        p.Height = 1;
        page.Pieces.push_back(p);
        y += body / 2;
        break;
      }
      case ReaderBlockKind::TableRow: {
        const int32_t n = static_cast<int32_t>(std::max<size_t>(b.Cells.size(), 1));
        const int32_t colWidth = std::max<int32_t>((right - x0) / n, 1);
        const int32_t pad = body / 4;
        int32_t bottom = y;
        for (int32_t c = 0; c < static_cast<int32_t>(b.Cells.size()); ++c) {
          const int32_t cx = x0 + c * colWidth;
          LineBuilder lines(page, measure, cx + pad, cx + colWidth - pad, y + pad, 0, false);
          for (const ReaderRun& r : b.Cells[c]) lines.AddRun(r);
          bottom = std::max(bottom, lines.Finish() + pad);
        }
        ReaderPiece line;  // a thin line under the row
        line.Rule = true;
        line.X = x0;
        line.Y = bottom;
        line.Width = colWidth * n;
        line.Height = 1;
        page.Pieces.push_back(line);
        y = bottom + 1;
        break;
      }
      default: {
        const bool pre = b.Kind == ReaderBlockKind::Preformatted;
        const int32_t level = b.Kind == ReaderBlockKind::Heading ? b.Level : 0;
        if (b.Kind == ReaderBlockKind::ListItem && !b.Marker.empty()) {
          ReaderPiece m;
          m.Text = b.Marker;
          m.Width = measure.TextWidth(b.Marker, {});
          m.Height = measure.LineHeight({});
          m.X = std::max(0, x0 - m.Width - body / 3);
          // Bottom-aligned with the first line once it is known (below).
          m.Y = y;
          page.Pieces.push_back(m);
        }
        const size_t markerIndex = page.Pieces.size() - 1;
        const size_t firstPiece = page.Pieces.size();
        LineBuilder lines(page, measure, x0, right, y, level, pre);
        for (const ReaderRun& r : b.Runs) lines.AddRun(r);
        const int32_t bottom = lines.Finish();
        if (b.Kind == ReaderBlockKind::ListItem && !b.Marker.empty() && firstPiece < page.Pieces.size()) {
          const ReaderPiece& f = page.Pieces[firstPiece];
          page.Pieces[markerIndex].Y = f.Y + f.Height - page.Pieces[markerIndex].Height;
        }
        y = bottom;
      }
    }
  }
  page.BlockTops.push_back(y);
  page.Height = y + kMargin;
  return page;
}

}  // namespace korvi
