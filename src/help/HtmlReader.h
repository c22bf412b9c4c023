#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "help/HtmlText.h"

namespace korvi {

// A page as the built-in reader shows it: a flat list of blocks (no tree, so no
// depth of nesting in the input can exhaust the stack), each a list of styled runs.
// Text is UTF-8.
namespace run_style {
constexpr uint8_t Bold = 1, Italic = 2, Mono = 4;
}

struct ReaderRun {
  std::string Text;   // "\n" inside a run is a line break
  uint8_t Style = 0;  // run_style bits
  std::string Href;   // target of the link the run belongs to; empty for plain text
};

enum class ReaderBlockKind : uint8_t { Paragraph, Heading, ListItem, Preformatted, TableRow, Rule };

struct ReaderBlock {
  ReaderBlockKind Kind = ReaderBlockKind::Paragraph;
  int32_t Level = 0;   // heading level 1..6
  int32_t Indent = 0;  // depth of lists and quotes around the block, 0..kMaxIndent
  std::string Marker;  // list item: "•" or "3."
  std::vector<ReaderRun> Runs;                 // every kind but TableRow
  std::vector<std::vector<ReaderRun>> Cells;   // TableRow: one run list per cell
};

struct ReaderDocument {
  static constexpr int32_t kMaxIndent = 8;
  std::string Title;
  std::vector<ReaderBlock> Blocks;
  // Anchor name (id or <a name>) -> index of the first block at or after it
  // (may equal Blocks.size() for an anchor at the very end).
  std::map<std::string, std::size_t> Anchors;
};

// Reads any bytes as HTML, the way a forgiving browser would: unknown tags are
// ignored, unclosed ones end with the page, entities are decoded, scripts and
// styles are dropped. Text that is not valid UTF-8 is taken as Windows-1252.
// Linear in the input; never fails.
ReaderDocument ParseHtml(std::string_view html);

// A page of plain text shown as it is (for files that are not HTML).
ReaderDocument PlainTextDocument(std::string_view text);

}  // namespace korvi
