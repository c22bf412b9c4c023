// The built-in reader's link resolution, history and command-state reports, and its
// page layout with a fixed-width font (every character 7 pixels, lines 10 high).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "help/ReaderBrowser.h"
#include "help/ReaderLayout.h"
#include "support/FakePlatform.h"

namespace korvi {
namespace {

TEST(ReaderLinks, ResolveAgainstThePageTheyAreOn) {
  const std::string base = "C:\\Korvi8\\korvi8.html";
  struct Case {
    const char* Url;
    bool External;
    const char* File;
    const char* Anchor;
  } cases[] = {
      {"#menu", false, "", "menu"},
      {"", false, "", ""},
      {"faq.html", false, "C:\\Korvi8\\faq.html", ""},
      {"docs/more%20help.htm#top", false, "C:\\Korvi8\\docs\\more help.htm", "top"},
      {"../other/./x.html?q=1", false, "C:\\other\\x.html", ""},
      {"../../../../x.html", false, "C:\\x.html", ""},
      {"/root.html", false, "C:\\root.html", ""},
      {"D:\\Docs\\guide.htm", false, "D:\\Docs\\guide.htm", ""},
      {"file:///D:/Docs/guide%201.htm#s", false, "D:\\Docs\\guide 1.htm", "s"},
      {"file://server/share/a.html", false, "\\\\server\\share\\a.html", ""},
      {"https://example.org/a#b", true, "https://example.org/a#b", ""},
      {"mailto:someone@example.org", true, "mailto:someone@example.org", ""},
  };
  for (const auto& c : cases) {
    const LinkTarget t = ResolveLink(base, c.Url);
    EXPECT_EQ(t.External, c.External) << c.Url;
    EXPECT_EQ(t.File, c.File) << c.Url;
    EXPECT_EQ(t.Anchor, c.Anchor) << c.Url;
  }
}

class StateLog : public CommandStateListener {
 public:
  void CommandStateChange(int32_t command, bool enable) override {
    (command == command_state::NavigateBack ? Back : Forward) = enable;
    ++Reports;
  }
  bool Back = false, Forward = false;
  int Reports = 0;
};

class Reader : public ::testing::Test {
 protected:
  Reader() {
    files.Files["C:\\K\\korvi8.html"] = "<h1>Help</h1><p><a href='faq.html#q2'>FAQ</a> <a href='http://x.org'>web</a>";
    files.Files["C:\\K\\faq.html"] = "<h1>FAQ</h1><p id=q2>Two</p>";
    browser.OnPageChanged = [this] { pages.emplace_back(browser.File(), browser.Anchor()); };
  }
  std::string Heading() const { return browser.Document().Blocks.at(0).Runs.at(0).Text; }

  test::FakeFileSystem files;
  StateLog states;
  std::vector<std::string> opened;
  ReaderBrowser browser{files, &states, [this](const std::string& u) { opened.push_back(u); }};
  std::vector<std::pair<std::string, std::string>> pages;
};

TEST_F(Reader, LinksBackForwardAndReloadKeepOneHistory) {
  browser.Navigate("C:\\K\\korvi8.html");
  EXPECT_EQ(Heading(), "Help");
  EXPECT_FALSE(states.Back);
  EXPECT_FALSE(states.Forward);
  EXPECT_EQ(states.Reports, 2) << "both directions are reported after every step";

  browser.Navigate("faq.html#q2");  // a click on the first link
  EXPECT_EQ(Heading(), "FAQ");
  EXPECT_EQ(browser.Anchor(), "q2");
  EXPECT_TRUE(states.Back);
  browser.Navigate("#");  // same page, top
  browser.GoBack();
  browser.GoBack();
  EXPECT_EQ(Heading(), "Help");
  EXPECT_FALSE(states.Back);
  EXPECT_TRUE(states.Forward);
  browser.GoBack();  // nothing further back
  browser.GoForward();
  EXPECT_EQ(browser.File(), "C:\\K\\faq.html");
  EXPECT_TRUE(states.Back && states.Forward);

  // A new navigation drops the forward history, as in any browser.
  browser.Navigate("C:\\K\\korvi8.html");
  EXPECT_FALSE(states.Forward);
  browser.GoForward();
  EXPECT_EQ(browser.File(), "C:\\K\\korvi8.html");

  browser.Navigate("http://x.org");
  EXPECT_EQ(opened, std::vector<std::string>{"http://x.org"}) << "external links go to the system's browser";
  EXPECT_EQ(browser.File(), "C:\\K\\korvi8.html") << "and the reader stays where it is";

  const std::vector<std::pair<std::string, std::string>> expected = {
      {"C:\\K\\korvi8.html", ""}, {"C:\\K\\faq.html", "q2"},     {"C:\\K\\faq.html", ""},
      {"C:\\K\\faq.html", "q2"},  {"C:\\K\\korvi8.html", ""},    {"C:\\K\\faq.html", "q2"},
      {"C:\\K\\korvi8.html", ""},
  };
  EXPECT_EQ(pages, expected);
}

TEST_F(Reader, OnlyWebAndMailLinksLeaveAndOnlyHtmlPagesOpenFromALink) {
  files.Files["C:\\K\\notes.txt"] = "plain";
  std::vector<std::string> status;
  browser.OnStatus = [&](const std::string& s) { status.push_back(s); };
  browser.Navigate("C:\\K\\korvi8.html");
  struct Case {
    const char* href;
    const char* opened;  // handed to the system, "" for nothing
    const char* file;    // the page on show afterwards
    bool said;           // a status line says why nothing happened
  };
  const Case cases[] = {
      {"https://x.org/a", "https://x.org/a", "C:\\K\\korvi8.html", false},
      {"HTTP://x.org", "HTTP://x.org", "C:\\K\\korvi8.html", false},
      {"mailto:a@x.org", "mailto:a@x.org", "C:\\K\\korvi8.html", false},
      {"ms-msdt:/id PCWDiagnostic", "", "C:\\K\\korvi8.html", true},
      {"search-ms:query=x", "", "C:\\K\\korvi8.html", true},
      {"notes.txt", "", "C:\\K\\korvi8.html", true},
      {"C:\\Windows\\calc.exe", "", "C:\\K\\korvi8.html", true},
      {"faq.html#q2", "", "C:\\K\\faq.html", false},
  };
  for (const Case& c : cases) {
    opened.clear();
    status.clear();
    browser.FollowLink(c.href);
    EXPECT_EQ(opened, c.opened[0] ? std::vector<std::string>{c.opened} : std::vector<std::string>{}) << c.href;
    EXPECT_EQ(browser.File(), c.file) << c.href;
    EXPECT_EQ(status.size(), c.said ? 1u : 0u) << c.href;
  }
  // "Open in your web browser": HTML pages only; a text file opened with "Open" shows, but stays here.
  EXPECT_TRUE(browser.MayOpenInBrowser());
  browser.Navigate("C:\\K\\notes.txt");
  EXPECT_EQ(browser.File(), "C:\\K\\notes.txt");
  status.clear();
  EXPECT_FALSE(browser.MayOpenInBrowser());
  EXPECT_EQ(status.size(), 1u);
}

TEST_F(Reader, PagesAreReadAfreshAndMissingOnesSaySo) {
  browser.Navigate("C:\\K\\korvi8.html");
  files.Files["C:\\K\\korvi8.html"] = "<h1>Changed</h1>";
  browser.Navigate("C:\\K\\korvi8.html");  // Reload of the help viewer
  EXPECT_EQ(Heading(), "Changed");
  browser.Navigate("gone.html");
  EXPECT_EQ(Heading(), "This page cannot be shown");
  EXPECT_TRUE(states.Back);
  files.Files["C:\\K\\notes.txt"] = "<b>not html</b>";
  browser.Navigate("notes.txt");
  EXPECT_EQ(browser.Document().Blocks.at(0).Runs.at(0).Text, "<b>not html</b>");
}

// Every character is 7 pixels wide (UTF-8 continuation bytes add nothing); a line
// is 10 pixels high, headings 20.
class FixedMeasure : public ReaderMeasure {
 public:
  int32_t TextWidth(std::string_view s, ReaderFont) override {
    int32_t n = 0;
    for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return 7 * n;
  }
  int32_t LineHeight(ReaderFont f) override { return f.Level ? 20 : 10; }
};

std::vector<std::string> Lines(const ReaderPage& page) {
  std::vector<std::string> lines;
  int32_t y = -1;
  for (const auto& p : page.Pieces) {
    if (p.Rule) continue;
    if (p.Y != y) lines.emplace_back();
    y = p.Y;
    lines.back() += p.Text;
  }
  return lines;
}

TEST(ReaderLayout, WrapsAtBlanksAndBreaksWordsWiderThanTheLine) {
  FixedMeasure m;
  // Width 164 leaves 140 pixels (20 characters) between the 12-pixel margins.
  const auto page = LayOutPage(
      ParseHtml("<h1>Title</h1><p>The quick brown fox jumps over the lazy dog</p><p>abcdefghijklmnopqrstuvwxyz0123</p>"),
      164, m);
  const std::vector<std::string> expected = {"Title", "The quick brown fox", "jumps over the lazy", "dog",
                                             "abcdefghijklmnopqrst", "uvwxyz0123"};
  EXPECT_EQ(Lines(page), expected);
  for (const auto& p : page.Pieces) EXPECT_LE(p.X + p.Width, 152) << p.Text;
  ASSERT_EQ(page.BlockTops.size(), 4u);
  EXPECT_EQ(page.BlockTops[0], 12);
  EXPECT_EQ(page.BlockTops[1], 12 + 20 + 5) << "a heading's height, then half a body line before the paragraph";
  EXPECT_GT(page.Height, page.BlockTops[3]);
}

TEST(ReaderLayout, ListMarkersTablesAndLinksKeepTheirPlaces) {
  FixedMeasure m;
  const auto page =
      LayOutPage(ParseHtml("<ul><li>item <a href=x.html>link</a></li></ul><table><tr><td>a</td><td>b</td></tr></table>"),
                 312, m);
  ASSERT_GE(page.Pieces.size(), 5u);
  const auto& marker = page.Pieces[0];
  EXPECT_EQ(marker.Text, "\xE2\x80\xA2");
  EXPECT_LT(marker.X + marker.Width, page.Pieces[1].X) << "the marker stands left of the item's text";
  EXPECT_EQ(marker.Y, page.Pieces[1].Y);
  EXPECT_EQ(page.Pieces[2].Text, "link");
  EXPECT_EQ(page.Pieces[2].Href, "x.html");
  // The two cells share the width: b starts half-way across.
  const auto& a = page.Pieces[3];
  const auto& b = page.Pieces[4];
  EXPECT_EQ(a.Text, "a");
  EXPECT_EQ(b.Text, "b");
  EXPECT_EQ(b.X - a.X, (312 - 24) / 2);
  EXPECT_EQ(a.Y, b.Y);
}

TEST(ReaderLayout, AHugeWordOnANarrowPageStaysLinear) {
  FixedMeasure m;
  const auto page = LayOutPage(ParseHtml("<p>" + std::string(200000, 'x') + "</p>"), 10, m);
  EXPECT_GT(page.Pieces.size(), 1000u) << "the word is broken over many lines";
  for (const auto& p : page.Pieces) ASSERT_FALSE(p.Text.empty());
}

}  // namespace
}  // namespace korvi
