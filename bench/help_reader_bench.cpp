// Time the built-in help reader needs to parse and lay out a page: the shipped
// manual, the manual sixteen times over, and a hostile page of deep nesting.
// Prints milliseconds per call.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "BenchMillis.h"
#include "help/HtmlReader.h"
#include "help/ReaderLayout.h"

using namespace korvi;
using korvi::bench::Millis;

namespace {

// Roughly Arial 10 at 96 dpi.
class ApproxMeasure : public ReaderMeasure {
 public:
  int32_t TextWidth(std::string_view s, ReaderFont f) override {
    return static_cast<int32_t>(s.size()) * (f.Level ? 11 : 7);
  }
  int32_t LineHeight(ReaderFont f) override { return f.Level ? 24 : 17; }
};

void Run(const char* name, const std::string& html) {
  ReaderDocument doc;
  ApproxMeasure measure;
  const double parse = Millis(20, [&] { doc = ParseHtml(html); });
  const double layout = Millis(20, [&] { (void)LayOutPage(doc, 780, measure); });
  std::printf("%-22s %9zu bytes  %6zu blocks  parse %8.3f ms  layout %8.3f ms\n", name, html.size(), doc.Blocks.size(),
              parse, layout);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "dist/korvi8.html";
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string manual = ss.str();
  if (manual.empty()) {
    std::fprintf(stderr, "cannot read %s (give the manual's path)\n", path.c_str());
    return 1;
  }
  std::string big;
  for (int i = 0; i < 16; ++i) big += manual;
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<ul><li><b><a href=x>";
  Run("manual", manual);
  Run("manual x16", big);
  Run("deep nesting", deep);
  return 0;
}
