#include "help/HtmlReader.h"

#include <algorithm>
#include <cstring>

#include "help/HtmlText.h"

namespace korvi {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

struct Tag {
  std::string Name;  // lower case
  bool End = false;
  std::map<std::string, std::string> Attributes;  // names lower case, values decoded
};

bool IsHeading(const std::string& n) { return n.size() == 2 && n[0] == 'h' && n[1] >= '1' && n[1] <= '6'; }

bool IsBlockTag(const std::string& n) {
  static const char* const kBlocks[] = {"p",       "div",    "ul",     "ol",     "dl",      "dt",    "dd",
                                        "li",      "pre",    "blockquote", "table", "tr",     "thead", "tbody",
                                        "tfoot",   "caption", "section", "article", "header", "footer", "nav",
                                        "main",    "aside",  "figure", "figcaption", "address", "form", "center",
                                        "body",    "html",   "hr",     "details", "summary", "fieldset", "legend"};
  if (IsHeading(n)) return true;
  for (const char* b : kBlocks)
    if (n == b) return true;
  return false;
}

class Builder {
 public:
  explicit Builder(std::string_view html) : in_(html) {}

  ReaderDocument Run() {
    while (pos_ < in_.size()) {
      if (in_[pos_] == '<' && ReadMarkup()) continue;
      size_t next = in_.find('<', pos_ + 1);
      if (next == std::string_view::npos) next = in_.size();
      Text(DecodeEntities(in_.substr(pos_, next - pos_)));
      pos_ = next;
    }
    FlushRow();
    Flush();
    return std::move(doc_);
  }

 private:
  // --- Markup ---------------------------------------------------------------------
  // Reads what starts at '<'; false when it is no markup and the '<' is text.
  bool ReadMarkup() {
    std::string_view rest = in_.substr(pos_);
    if (rest.substr(0, 4) == "<!--") {
      size_t e = in_.find("-->", pos_ + 4);
      pos_ = e == std::string_view::npos ? in_.size() : e + 3;
      return true;
    }
    if (rest.size() >= 2 && (rest[1] == '!' || rest[1] == '?')) {
      size_t e = in_.find('>', pos_);
      pos_ = e == std::string_view::npos ? in_.size() : e + 1;
      return true;
    }
    size_t i = pos_ + 1;
    Tag tag;
    if (i < in_.size() && in_[i] == '/') {
      tag.End = true;
      ++i;
    }
    if (i >= in_.size() || !IsAlpha(in_[i])) return false;
    while (i < in_.size() && !IsSpace(in_[i]) && in_[i] != '>' && in_[i] != '/') tag.Name += Lower(in_[i++]);
    ReadAttributes(i, tag);
    pos_ = i;
    if (tag.End) EndTag(tag.Name);
    else StartTag(tag);
    return true;
  }

  void ReadAttributes(size_t& i, Tag& tag) {
    while (i < in_.size() && in_[i] != '>') {
      if (IsSpace(in_[i]) || in_[i] == '/') {
        ++i;
        continue;
      }
      std::string name;
      while (i < in_.size() && !IsSpace(in_[i]) && in_[i] != '>' && in_[i] != '=' && in_[i] != '/') name += Lower(in_[i++]);
      if (name.empty()) name += in_[i++];  // a stray '=' or the like: skip it
      while (i < in_.size() && IsSpace(in_[i])) ++i;
      std::string value;
      if (i < in_.size() && in_[i] == '=') {
        ++i;
        while (i < in_.size() && IsSpace(in_[i])) ++i;
        if (i < in_.size() && (in_[i] == '"' || in_[i] == '\'')) {
          char q = in_[i++];
          size_t e = in_.find(q, i);
          if (e == std::string_view::npos) e = in_.size();
          value = DecodeEntities(in_.substr(i, e - i));
          i = std::min(e + 1, in_.size());
        } else {
          size_t s = i;
          while (i < in_.size() && !IsSpace(in_[i]) && in_[i] != '>') ++i;
          value = DecodeEntities(in_.substr(s, i - s));
        }
      }
      tag.Attributes.emplace(std::move(name), std::move(value));
    }
    if (i < in_.size()) ++i;  // the '>'
  }

  // The text of a raw-text element (script, style, title): up to its end tag.
  std::string_view RawText(const std::string& name) {
    size_t s = pos_, i = pos_;
    while (true) {
      i = in_.find("</", i);
      if (i == std::string_view::npos) {
        pos_ = in_.size();
        return in_.substr(s);
      }
      size_t k = 0;
      while (k < name.size() && i + 2 + k < in_.size() && Lower(in_[i + 2 + k]) == name[k]) ++k;
      if (k == name.size()) {
        size_t e = in_.find('>', i);
        pos_ = e == std::string_view::npos ? in_.size() : e + 1;
        return in_.substr(s, i - s);
      }
      i += 2;
    }
  }

  void StartTag(const Tag& tag) {
    const std::string& n = tag.Name;
    if (auto id = tag.Attributes.find("id"); id != tag.Attributes.end()) Anchor(id->second);
    if (n == "script" || n == "style" || n == "textarea" || n == "template") {
      RawText(n);
      return;
    }
    if (n == "title") {
      std::string t = DecodeEntities(RawText(n));
      CollapseInto(doc_.Title, t, true);
      while (!doc_.Title.empty() && doc_.Title.back() == ' ') doc_.Title.pop_back();
      return;
    }
    if (n == "tr") {
      FlushRow();
      Flush();
      inRow_ = true;
      return;
    }
    if (n == "td" || n == "th") {
      if (!inRow_) {
        Flush();
        inRow_ = true;
      }
      row_.emplace_back();
      headerCell_ = n == "th";
      return;
    }
    if (IsBlockTag(n)) {
      if (inRow_) {
        // Blocks inside a table cell stay in the cell, set apart by a blank.
        Append(" ");
        return;
      }
      Flush();
      if (IsHeading(n)) heading_ = n[1] - '0';
      else if (n == "pre") ++pre_;
      else if (n == "ul" || n == "ol" || n == "dl") lists_.push_back({n == "ol", 0});
      else if (n == "blockquote" || n == "dd") ++quotes_;
      else if (n == "li") {
        if (lists_.empty()) marker_ = "\xE2\x80\xA2";
        else if (lists_.back().Ordered) marker_ = std::to_string(++lists_.back().Count) + ".";
        else marker_ = "\xE2\x80\xA2";
      } else if (n == "hr") {
        ReaderBlock rule;
        rule.Kind = ReaderBlockKind::Rule;
        rule.Indent = Indent();
        doc_.Blocks.push_back(std::move(rule));
      }
      return;
    }
    if (n == "br") {
      Append("\n");
      return;
    }
    if (n == "b" || n == "strong") ++bold_;
    else if (n == "i" || n == "em" || n == "cite" || n == "var" || n == "dfn") ++italic_;
    else if (n == "code" || n == "kbd" || n == "tt" || n == "samp") ++mono_;
    else if (n == "a") {
      if (auto name = tag.Attributes.find("name"); name != tag.Attributes.end()) Anchor(name->second);
      auto href = tag.Attributes.find("href");
      links_.push_back(href == tag.Attributes.end() ? std::string() : href->second);
    } else if (n == "img") {
      auto alt = tag.Attributes.find("alt");
      if (alt != tag.Attributes.end() && !alt->second.empty()) {
        ++italic_;
        Text("[" + alt->second + "]");
        --italic_;
      }
    }
  }

  void EndTag(const std::string& n) {
    if (n == "td" || n == "th") {
      headerCell_ = false;
      return;
    }
    if (n == "tr") {
      FlushRow();
      return;
    }
    if (n == "table") {
      FlushRow();
      return;
    }
    if (IsBlockTag(n)) {
      if (inRow_) return;
      Flush();
      if (IsHeading(n)) heading_ = 0;
      else if (n == "pre" && pre_ > 0) --pre_;
      else if ((n == "ul" || n == "ol" || n == "dl") && !lists_.empty()) {
        lists_.pop_back();
        marker_.clear();
      }
      else if ((n == "blockquote" || n == "dd") && quotes_ > 0) --quotes_;
      return;
    }
    if ((n == "b" || n == "strong") && bold_ > 0) --bold_;
    else if ((n == "i" || n == "em" || n == "cite" || n == "var" || n == "dfn") && italic_ > 0) --italic_;
    else if ((n == "code" || n == "kbd" || n == "tt" || n == "samp") && mono_ > 0) --mono_;
    else if (n == "a" && !links_.empty()) links_.pop_back();
  }

  // --- Text -----------------------------------------------------------------------
  void Text(const std::string& text) {
    if (Pre()) {
      std::string t;
      t.reserve(text.size());
      for (char c : text)
        if (c != '\r') t += c;
      // A newline right after <pre> is not part of the text.
      if (Runs().empty() && !t.empty() && t[0] == '\n') t.erase(0, 1);
      if (!t.empty()) Append(t);
      return;
    }
    std::string t;
    CollapseInto(t, text, false);
    if (!t.empty()) Append(t);
  }

  bool Pre() const { return pre_ > 0 && !inRow_; }

  // Appends `text` with runs of white space made one blank; drops a leading blank
  // when `atStart` (or when `out` already ends in one).
  static void CollapseInto(std::string& out, const std::string& text, bool atStart) {
    bool space = atStart || (!out.empty() && out.back() == ' ');
    for (char c : text) {
      if (IsSpace(c)) {
        if (!space) out += ' ';
        space = true;
      } else {
        out += c;
        space = false;
      }
    }
  }

  void Append(const std::string& text) {
    uint8_t style = static_cast<uint8_t>((bold_ || headerCell_ ? run_style::Bold : 0) | (italic_ ? run_style::Italic : 0) |
                                         (mono_ ? run_style::Mono : 0));
    const std::string& href = links_.empty() ? std::string() : links_.back();
    auto& runs = Runs();
    std::string t = text;
    // One blank between words, none at the start of a block or a line.
    if (!Pre() && t[0] == ' ' && (runs.empty() || EndsInSpaceOrBreak())) t.erase(0, 1);
    if (t.empty()) return;
    if (!runs.empty() && runs.back().Style == style && runs.back().Href == href) runs.back().Text += t;
    else runs.push_back({t, style, href});
  }

  bool EndsInSpaceOrBreak() {
    auto& runs = Runs();
    return !runs.empty() && !runs.back().Text.empty() && (runs.back().Text.back() == ' ' || runs.back().Text.back() == '\n');
  }

  std::vector<ReaderRun>& Runs() { return inRow_ && !row_.empty() ? row_.back() : (inRow_ ? RowCell() : block_.Runs); }
  std::vector<ReaderRun>& RowCell() {
    row_.emplace_back();
    return row_.back();
  }

  // --- Blocks ---------------------------------------------------------------------
  int32_t Indent() const {
    return static_cast<int32_t>(std::min<size_t>(lists_.size() + quotes_, ReaderDocument::kMaxIndent));
  }

  static void TrimRuns(std::vector<ReaderRun>& runs) {
    while (!runs.empty()) {
      std::string& t = runs.back().Text;
      while (!t.empty() && (t.back() == ' ' || t.back() == '\n')) t.pop_back();
      if (!t.empty()) break;
      runs.pop_back();
    }
  }

  void Flush() {
    TrimRuns(block_.Runs);
    if (!block_.Runs.empty()) {
      block_.Kind = heading_ ? ReaderBlockKind::Heading
                    : pre_ ? ReaderBlockKind::Preformatted
                    : !marker_.empty() ? ReaderBlockKind::ListItem
                                       : ReaderBlockKind::Paragraph;
      block_.Level = heading_;
      block_.Indent = Indent();
      if (block_.Kind == ReaderBlockKind::ListItem) block_.Marker = std::move(marker_);
      marker_.clear();
      doc_.Blocks.push_back(std::move(block_));
    }
    block_ = ReaderBlock();
  }

  void FlushRow() {
    if (!inRow_) return;
    inRow_ = false;
    headerCell_ = false;
    bool any = false;
    for (auto& cell : row_) {
      TrimRuns(cell);
      any = any || !cell.empty();
    }
    if (any) {
      ReaderBlock b;
      b.Kind = ReaderBlockKind::TableRow;
      b.Indent = Indent();
      b.Cells = std::move(row_);
      doc_.Blocks.push_back(std::move(b));
    }
    row_.clear();
  }

  void Anchor(const std::string& name) {
    if (!name.empty()) doc_.Anchors.emplace(name, doc_.Blocks.size());
  }

  struct List {
    bool Ordered;
    int32_t Count;
  };

  std::string_view in_;
  size_t pos_ = 0;
  ReaderDocument doc_;
  ReaderBlock block_;
  std::vector<std::vector<ReaderRun>> row_;
  bool inRow_ = false, headerCell_ = false;
  std::vector<List> lists_;
  std::vector<std::string> links_;
  std::string marker_;
  int32_t heading_ = 0, pre_ = 0, quotes_ = 0, bold_ = 0, italic_ = 0, mono_ = 0;
};

}  // namespace

ReaderDocument ParseHtml(std::string_view html) {
  if (html.substr(0, 3) == "\xEF\xBB\xBF") html.remove_prefix(3);
  if (ValidUtf8(html)) return Builder(html).Run();
  const std::string utf8 = FromCp1252(html);
  return Builder(utf8).Run();
}

ReaderDocument PlainTextDocument(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::string t = ValidUtf8(text) ? std::string(text) : FromCp1252(text);
  t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
  ReaderDocument doc;
  if (!t.empty()) {
    ReaderBlock b;
    b.Kind = ReaderBlockKind::Preformatted;
    b.Runs.push_back({std::move(t), run_style::Mono, {}});
    doc.Blocks.push_back(std::move(b));
  }
  return doc;
}

}  // namespace korvi
