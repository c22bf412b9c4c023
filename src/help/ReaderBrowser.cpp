#include "help/ReaderBrowser.h"

#include "platform/FileSystem.h"
#include "util/Text.h"

namespace korvi {

namespace {

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The scheme of a URL ("http" of "http://..."); empty for paths, and for "C:"
// (one letter before the colon is a drive).
std::string SchemeOf(const std::string& url) {
  size_t i = 0;
  while (i < url.size() && (IsAlpha(url[i]) || (i > 0 && ((url[i] >= '0' && url[i] <= '9') || url[i] == '+' ||
                                                        url[i] == '-' || url[i] == '.'))))
    ++i;
  if (i < 2 || i >= url.size() || url[i] != ':') return {};
  return LowerCase(url.substr(0, i));
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecode(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() + 0 && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

// Makes "C:\a\.\b\..\c.html" into "C:\a\c.html"; ".." never climbs above the root.
std::string Normalise(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  std::string root;
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    size_t share = path.find('\\', 2);
    share = share == std::string::npos ? path.size() : path.find('\\', share + 1);
    root = path.substr(0, std::min(share, path.size()));
    path.erase(0, root.size());
  } else if (path.size() >= 2 && path[1] == ':') {
    root = path.substr(0, 2);
    path.erase(0, 2);
  }
  const bool absolute = !path.empty() && path[0] == '\\';
  std::vector<std::string> parts;
  size_t i = 0;
  while (i <= path.size()) {
    size_t j = path.find('\\', i);
    if (j == std::string::npos) j = path.size();
    std::string part = path.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::string out = root;
  if (absolute || !root.empty()) out += '\\';
  for (size_t k = 0; k < parts.size(); ++k) {
    if (k) out += '\\';
    out += parts[k];
  }
  return out;
}

bool IsHtmlName(const std::string& file) {
  const std::string ext = LowerCase(ExtractFileExt(file));
  return ext == ".html" || ext == ".htm" || ext == ".xhtml" || ext == ".shtml";
}

ReaderDocument MissingPage(const std::string& file) {
  ReaderDocument doc;
  ReaderBlock title;
  title.Kind = ReaderBlockKind::Heading;
  title.Level = 1;
  title.Runs.push_back({"This page cannot be shown", 0, {}});
  ReaderBlock text;
  text.Runs.push_back({"The file " + file + " cannot be read.", 0, {}});
  doc.Blocks.push_back(std::move(title));
  doc.Blocks.push_back(std::move(text));
  return doc;
}

}  // namespace

LinkTarget ResolveLink(const std::string& base, const std::string& url) {
  LinkTarget t;
  std::string u = Trim(url);
  const std::string scheme = SchemeOf(u);
  if (!scheme.empty() && scheme != "file") {
    t.External = true;
    t.File = u;
    return t;
  }
  if (size_t hash = u.find('#'); hash != std::string::npos) {
    t.Anchor = PercentDecode(u.substr(hash + 1));
    u.erase(hash);
  }
  if (size_t query = u.find('?'); query != std::string::npos) u.erase(query);
  if (scheme == "file") {
    u.erase(0, 5);
    // file:///C:/x -> C:/x ; file://server/share -> \\server\share
    if (u.rfind("///", 0) == 0) u.erase(0, 3);
    else if (u.rfind("//", 0) == 0) u = "\\\\" + u.substr(2);
    if (u.size() >= 3 && u[0] == '/' && u[2] == ':') u.erase(0, 1);  // "/C:/x"
    u = PercentDecode(u);
  } else if (u.find('%') != std::string::npos && !base.empty()) {
    u = PercentDecode(u);  // a link written into a page, not a path the user typed
  }
  if (u.empty()) return t;  // "#anchor" (or nothing): the page itself
  const bool drive = u.size() >= 2 && u[1] == ':' && IsAlpha(u[0]);
  const bool unc = u.size() >= 2 && (u[0] == '\\' || u[0] == '/') && (u[1] == '\\' || u[1] == '/');
  if (drive || unc) {
    t.File = Normalise(u);
  } else if (u[0] == '\\' || u[0] == '/') {
    // Root of the base page's drive.
    const std::string b = Normalise(base);
    t.File = Normalise((b.size() >= 2 && b[1] == ':' ? b.substr(0, 2) : std::string()) + u);
  } else {
    t.File = Normalise(ExtractFilePath(Normalise(base)) + u);
  }
  return t;
}

void ReaderBrowser::Navigate(const std::string& url) {
  const std::string base = history_.empty() ? std::string() : history_[index_].File;
  LinkTarget t = ResolveLink(base, url);
  if (t.External) {
    const std::string scheme = SchemeOf(t.File);
    if (scheme != "http" && scheme != "https" && scheme != "mailto")
      return Status("Not opened: links of the kind \"" + scheme + ":\" are not followed");
    if (openExternal_) openExternal_(t.File);
    return;
  }
  if (t.File.empty()) t.File = base;
  if (t.File.empty()) return;
  if (!history_.empty()) history_.resize(index_ + 1);
  history_.push_back({t.File, t.Anchor});
  index_ = history_.size() - 1;
  Show(history_[index_]);
}

void ReaderBrowser::FollowLink(const std::string& href) {
  const LinkTarget t = ResolveLink(history_.empty() ? std::string() : history_[index_].File, href);
  if (!t.External && !t.File.empty() && !IsHtmlName(t.File))
    return Status("Not opened: " + t.File + " is not an HTML page");
  Navigate(href);
}

bool ReaderBrowser::MayOpenInBrowser() {
  if (!file_.empty() && IsHtmlName(file_)) return true;
  Status("Only HTML pages open in the web browser");
  return false;
}

void ReaderBrowser::GoBack() {
  if (history_.empty() || index_ == 0) return;
  Show(history_[--index_]);
}

void ReaderBrowser::GoForward() {
  if (index_ + 1 >= history_.size()) return;
  Show(history_[++index_]);
}

void ReaderBrowser::Show(const Entry& e) {
  // Within one page only the anchor changes; another page (or the same one
  // reached again by a link or Reload) is read afresh.
  const bool samePage = e.File == loaded_ && !e.Anchor.empty();
  if (!samePage) {
    std::string content;
    const auto r = files_.ReadWholeFile(e.File, content, kMaxPageBytes);
    if (r != FileSystem::ReadResult::Ok) doc_ = MissingPage(e.File);
    else if (IsHtmlName(e.File)) doc_ = ParseHtml(content);
    else doc_ = PlainTextDocument(content);
    loaded_ = e.File;
  }
  file_ = e.File;
  anchor_ = e.Anchor;
  ReportState();
  if (OnPageChanged) OnPageChanged();
}

void ReaderBrowser::ReportState() {
  if (!listener_) return;
  listener_->CommandStateChange(command_state::NavigateBack, !history_.empty() && index_ > 0);
  listener_->CommandStateChange(command_state::NavigateForward, index_ + 1 < history_.size());
}

}  // namespace korvi
