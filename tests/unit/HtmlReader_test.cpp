// The built-in reader's HTML parser, layout and browsing. Pages are written out in
// a short notation so that a table of cases reads at a glance:
//   blocks are separated by " | "; "H2:" heading, "P:" paragraph, "LI1•:" list item
//   at indent 1 with its marker, "PRE:", "ROW:" a table row with cells split by "/",
//   "HR"; inside, *bold*, _italic_, `mono`, [text](href); a line break is "\n".
#include <gtest/gtest.h>

#include <string>

#include "help/HtmlReader.h"

namespace korvi {
namespace {

std::string Runs(const std::vector<ReaderRun>& runs) {
  std::string out;
  for (const auto& r : runs) {
    std::string t = r.Text;
    if (r.Style & run_style::Mono) t = "`" + t + "`";
    if (r.Style & run_style::Italic) t = "_" + t + "_";
    if (r.Style & run_style::Bold) t = "*" + t + "*";
    if (!r.Href.empty()) t = "[" + t + "](" + r.Href + ")";
    out += t;
  }
  return out;
}

std::string Dump(const ReaderDocument& doc) {
  std::string out;
  for (const auto& b : doc.Blocks) {
    if (!out.empty()) out += " | ";
    const std::string indent = b.Indent ? std::to_string(b.Indent) : "";
    switch (b.Kind) {
      case ReaderBlockKind::Heading: out += "H" + std::to_string(b.Level) + ":" + Runs(b.Runs); break;
      case ReaderBlockKind::Paragraph: out += "P" + indent + ":" + Runs(b.Runs); break;
      case ReaderBlockKind::ListItem: out += "LI" + indent + b.Marker + ":" + Runs(b.Runs); break;
      case ReaderBlockKind::Preformatted: out += "PRE:" + Runs(b.Runs); break;
      case ReaderBlockKind::Rule: out += "HR"; break;
      case ReaderBlockKind::TableRow: {
        out += "ROW:";
        for (size_t c = 0; c < b.Cells.size(); ++c) out += (c ? "/" : "") + Runs(b.Cells[c]);
        break;
      }
    }
  }
  return out;
}

TEST(HtmlReader, ReadsWhatTheManualUses) {
  struct Case {
    const char* Html;
    const char* Page;
  } cases[] = {
      {"<h1>Korvi8</h1><p>A  pager\n for <b>ten</b> desktops.</p>", "H1:Korvi8 | P:A pager for *ten* desktops."},
      {"<p>Press <kbd>F1</kbd> or <em>right-click</em> <a href='#menu'>the panel</a>.",
       "P:Press `F1` or _right-click_ [the panel](#menu)."},
      {"<ul><li>one<li>two<ul><li>deep</li></ul>tail</li></ul><p>after</p>",
       "LI1•:one | LI1•:two | LI2•:deep | P1:tail | P:after"},
      {"<ol><li><p>first</p></li><li>second</ol>", "LI1" "1.:first | LI1" "2.:second"},
      {"<pre>\n  [FORM]\n  EDGE=2\n</pre>", "PRE:  [FORM]\n  EDGE=2"},
      {"<table><tr><th>Key</th><th>Meaning</th></tr><tr><td>EDGE</td><td>1 <i>top</i></td></tr></table>",
       "ROW:*Key*/*Meaning* | ROW:EDGE/1 _top_"},
      {"<p>line<br>next<hr>end", "P:line\nnext | HR | P:end"},
      {"<p><img src=a.png alt='The panel'> docked</p><img src=b.png>", "P:_[The panel]_ docked"},
      {"<p>a &amp; b &lt;c&gt; &#233;&#xE9; &rarr; &copy; &bogus; & x &#; &#99999999; &#0;&#xD800;",
       "P:a & b <c> \xC3\xA9\xC3\xA9 \xE2\x86\x92 \xC2\xA9 &bogus; & x &#; \xEF\xBF\xBD \xEF\xBF\xBD\xEF\xBF\xBD"},
      {"<script>if (a < b) document.write('<p>x')</script><style>p{}</style><p>shown<!-- <p>hidden -->",
       "P:shown"},
      {"<p>5 < 6 and <3 stay text</p>", "P:5 < 6 and <3 stay text"},
      {"<p>caf\xE9 in Windows-1252 \x93quoted\x94</p>",
       "P:caf\xC3\xA9 in Windows-1252 \xE2\x80\x9Cquoted\xE2\x80\x9D"},
      {"<b>never <i>closed <p>still bold", "P:*never **_closed_* | P:*_still bold_*"},
      {"<p><a href=\"x.html\">a <b>b</b></a> c</a></p>", "P:[a ](x.html)[*b*](x.html) c"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Dump(ParseHtml(c.Html)), c.Page) << "page: " << c.Html;
}

TEST(HtmlReader, TitleAndAnchorsPointAtTheirBlocks) {
  const auto doc = ParseHtml(
      "<title> Korvi8 &ndash; Help </title><h1 id=top>Intro</h1><p>text</p>"
      "<h2><a name=\"menu\"></a>Menu</h2><p id=last>x</p><span id=end></span>");
  EXPECT_EQ(doc.Title, "Korvi8 \xE2\x80\x93 Help");
  ASSERT_EQ(doc.Blocks.size(), 4u);
  EXPECT_EQ(doc.Anchors.at("top"), 0u);
  EXPECT_EQ(doc.Anchors.at("menu"), 2u);
  EXPECT_EQ(doc.Anchors.at("last"), 3u);
  EXPECT_EQ(doc.Anchors.at("end"), 4u) << "an anchor at the very end points past the last block";
}

TEST(HtmlReader, HostileInputEndsQuicklyWithoutDeepStructures) {
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "<ul><li><b><a href=x>";
  deep += "bottom";
  const auto doc = ParseHtml(deep);
  ASSERT_EQ(doc.Blocks.size(), 1u);
  EXPECT_EQ(doc.Blocks[0].Indent, ReaderDocument::kMaxIndent) << "indentation is capped";

  // Unterminated constructs of every kind at the end of the input.
  for (const char* tail : {"<", "<a", "<a href='x", "<!--", "<!DOCTYPE", "&#x", "&amp", "<script>", "</", "<td>"})
    EXPECT_NO_THROW(ParseHtml(std::string("<p>ok</p>") + tail)) << tail;
  EXPECT_EQ(Dump(ParseHtml("<p>ok</p><a href='x")), "P:ok");
}

TEST(HtmlReader, PlainTextIsShownAsItIs) {
  EXPECT_EQ(Dump(PlainTextDocument("a  b\r\n<c>")), "PRE:`a  b\n<c>`");
  EXPECT_EQ(Dump(PlainTextDocument("")), "");
}

}  // namespace
}  // namespace korvi
