// The built-in help reader's parser and layout over any bytes a page may hold.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "help/HtmlReader.h"
#include "help/ReaderBrowser.h"
#include "help/ReaderLayout.h"

namespace {

class CountingMeasure : public korvi::ReaderMeasure {
 public:
  int32_t TextWidth(std::string_view s, korvi::ReaderFont f) override {
    return static_cast<int32_t>(s.size()) * (f.Style & korvi::run_style::Bold ? 8 : 7);
  }
  int32_t LineHeight(korvi::ReaderFont f) override { return 12 + 4 * (f.Level ? 7 - f.Level : 0); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const korvi::ReaderDocument doc = korvi::ParseHtml(bytes);
  CountingMeasure measure;
  // A narrow and a wide page: every piece must lie inside the page's lines.
  for (int32_t width : {40, 700}) {
    const korvi::ReaderPage page = korvi::LayOutPage(doc, width, measure);
    if (page.BlockTops.size() != doc.Blocks.size() + 1) __builtin_trap();
    for (const auto& piece : page.Pieces)
      if (piece.Y < 0 || piece.Y + piece.Height > page.Height) __builtin_trap();
  }
  for (const auto& [name, block] : doc.Anchors)
    if (block > doc.Blocks.size()) __builtin_trap();
  // The first bytes as a link on a page.
  (void)korvi::ResolveLink("C:\\Korvi8\\korvi8.html", std::string(bytes.substr(0, 300)));
  return 0;
}
