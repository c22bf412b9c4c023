#include "panel/IniFile.h"

#include <initializer_list>

#include "panel/IntegerText.h"
#include "util/Text.h"

namespace korvi {

namespace {

// Blanks around names and values; Ctrl-Z is the old end-of-file mark of DOS editors.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// Names and values end at a NUL, as C strings do.
std::string_view CutAtNul(std::string_view s) { return s.substr(0, s.find('\0')); }

struct LineParts {
  std::string_view name;   // section or key name, trimmed
  std::string_view value;  // key value, trimmed, before quote removal
};

using LineKind = IniFile::Kind;

LineKind Classify(std::string_view line, LineParts* parts = nullptr) {
  size_t b = 0;
  while (b < line.size() && IsBlank(line[b])) ++b;
  if (b == line.size() || line[b] == ';') return LineKind::Filler;
  if (line[b] == '[') {
    size_t close = line.rfind(']');
    if (close != std::string_view::npos && close > b) {
      if (parts) parts->name = CutAtNul(TrimBlanks(line.substr(b + 1, close - b - 1)));
      return LineKind::Header;
    }
  }
  size_t eq = line.find('=', b);
  if (eq == std::string_view::npos) return LineKind::Other;
  std::string_view name = CutAtNul(TrimBlanks(line.substr(b, eq - b)));
  // A key without a name can never be asked for; it is kept like any other line.
  if (name.empty()) return LineKind::Other;
  if (parts) {
    parts->name = name;
    parts->value = TrimBlanks(line.substr(eq + 1));
  }
  return LineKind::Key;
}

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (std::string_view p : parts) s += p;
  return s;
}

bool EndsWithLineBreak(std::string_view s) { return !s.empty() && s.back() == '\n'; }

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile f;
  f.source_.assign(text);
  std::string_view src = f.source_;

  size_t firstBreak = src.find('\n');
  if (firstBreak != std::string_view::npos) f.newline_ = firstBreak > 0 && src[firstBreak - 1] == '\r' ? "\r\n" : "\n";

  uint32_t last = kNone;
  auto append = [&](Kind kind, size_t begin, size_t length) {
    Record r;
    r.begin = begin;
    r.length = length;
    r.kind = kind;
    f.records_.push_back(r);
    uint32_t id = static_cast<uint32_t>(f.records_.size() - 1);
    if (last == kNone)
      f.head_ = id;
    else
      f.records_[last].next = id;
    last = id;
    return id;
  };

  size_t pos = 0;
  if (src.substr(0, 3) == "\xEF\xBB\xBF") {
    f.bomLength_ = 3;
    append(Kind::Filler, 0, 3);
    pos = 3;
  }

  Section* current = nullptr;  // first occurrence of the section being read; null otherwise
  while (pos < src.size()) {
    size_t br = src.find('\n', pos);
    size_t end = br == std::string_view::npos ? src.size() : br + 1;
    LineParts parts;
    Kind kind = Classify(src.substr(pos, end - pos), &parts);

    // Runs of filler lines, and runs of other lines, are never edited inside, so
    // one record holds each run; this keeps a huge hostile file cheap.
    if (last != kNone && (kind == Kind::Filler || kind == Kind::Other) && f.records_[last].kind == kind) {
      f.records_[last].length = end - f.records_[last].begin;
    } else {
      uint32_t id = append(kind, pos, end - pos);
      if (kind == Kind::Header) {
        auto [it, added] = f.sections_.try_emplace(UpperCase(parts.name), Section{id, id});
        current = added ? &it->second : nullptr;
      }
    }
    if (current && (kind == Kind::Key || kind == Kind::Other)) current->lastContent = last;
    pos = end;
  }
  f.tail_ = last;
  return f;
}

std::string_view IniFile::RecordText(uint32_t id) const {
  const Record& r = records_[id];
  if (r.owned >= 0) return owned_[static_cast<size_t>(r.owned)];
  return std::string_view(source_).substr(r.begin, r.length);
}

void IniFile::SetRecordText(uint32_t id, std::string text) {
  Record& r = records_[id];
  if (r.owned >= 0) {
    owned_[static_cast<size_t>(r.owned)] = std::move(text);
  } else {
    r.owned = static_cast<int32_t>(owned_.size());
    owned_.push_back(std::move(text));
  }
}

uint32_t IniFile::AddRecord(Kind kind, std::string text, uint32_t after) {
  Record r;
  r.kind = kind;
  r.owned = static_cast<int32_t>(owned_.size());
  owned_.push_back(std::move(text));
  uint32_t id = static_cast<uint32_t>(records_.size());
  if (after == kNone) {
    r.next = head_;
    head_ = id;
  } else {
    r.next = records_[after].next;
    records_[after].next = id;
  }
  records_.push_back(r);
  if (r.next == kNone) tail_ = id;
  return id;
}

void IniFile::EnsureLineEnd(uint32_t id) {
  std::string_view text = RecordText(id);
  if (text.empty() || EndsWithLineBreak(text)) return;
  SetRecordText(id, Concat({text, newline_}));
}

const IniFile::Section* IniFile::FindSection(std::string_view section) const {
  auto it = sections_.find(UpperCase(section));
  return it == sections_.end() ? nullptr : &it->second;
}

uint32_t IniFile::FindKey(const Section& s, std::string_view key) const {
  for (uint32_t id = records_[s.header].next; id != kNone; id = records_[id].next) {
    const Record& r = records_[id];
    if (r.kind == Kind::Header) break;
    if (r.kind != Kind::Key) continue;
    LineParts parts;
    Classify(RecordText(id), &parts);
    if (SameText(parts.name, key)) return id;
  }
  return kNone;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return std::nullopt;
  uint32_t id = FindKey(*s, key);
  if (id == kNone) return std::nullopt;
  return ValueAt(id);
}

std::string IniFile::ValueAt(uint32_t id) const {
  LineParts parts;
  Classify(RecordText(id), &parts);
  std::string_view v = CutAtNul(parts.value);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  // A carriage return that ends no line reads as the blank a write would make of it,
  // so that what is read can be written back and read again as the same value.
  std::string value(v.substr(0, kMaxValueLength));
  for (char& c : value)
    if (c == '\r') c = ' ';
  return value;
}

std::string IniFile::EncodeValue(std::string_view value) {
  std::string v(value);
  // A line break would end the line and start a line of its own: a stray key or
  // even a section. A NUL would cut the value short.
  for (char& c : v)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  bool quoted = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
  if (!v.empty() && (IsBlank(v.front()) || IsBlank(v.back()) || quoted)) v = Concat({"\"", v, "\""});
  return v;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string encoded = EncodeValue(value);
  std::string upper = UpperCase(section);
  auto it = sections_.find(upper);
  if (it == sections_.end()) {
    if (tail_ != kNone) EnsureLineEnd(tail_);
    uint32_t header = AddRecord(Kind::Header, Concat({"[", section, "]", newline_}), tail_);
    uint32_t line = AddRecord(Kind::Key, Concat({key, "=", encoded, newline_}), header);
    sections_.emplace(std::move(upper), Section{header, line});
    return;
  }
  Section& s = it->second;
  uint32_t id = FindKey(s, key);
  if (id == kNone) {
    EnsureLineEnd(s.lastContent);
    s.lastContent = AddRecord(Kind::Key, Concat({key, "=", encoded, newline_}), s.lastContent);
    return;
  }

  // A line that already reads as this value stays byte for byte, however it is
  // spelt (quotes, a NUL and what follows it, a lone carriage return inside).
  if (ValueAt(id) == value) return;
  // Rewrite only the value; the name as spelt in the file, the blanks after "="
  // and the line end stay as they were.
  std::string_view text = RecordText(id);
  size_t valueStart = text.find('=') + 1;
  while (valueStart < text.size() && (text[valueStart] == ' ' || text[valueStart] == '\t')) ++valueStart;
  if (TrimBlanks(text.substr(valueStart)) == encoded) return;
  std::string_view lineEnd = text.ends_with("\r\n") ? "\r\n" : text.ends_with("\n") ? "\n" : "";
  SetRecordText(id, Concat({text.substr(0, valueStart), encoded, lineEnd}));
}

std::string IniFile::Text() const {
  std::string out;
  out.reserve(source_.size() + 64);
  for (uint32_t id = head_; id != kNone; id = records_[id].next) out += RecordText(id);
  return out;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  std::optional<std::string> v = Get(section, key);
  if (!v) return std::string(def);
  return codec_.Decode ? codec_.Decode(*v) : *v;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  std::optional<std::string> v = Get(section, key);
  return v ? StrToIntDef(*v, def) : def;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // A value read and written back unchanged leaves its line alone, even where the
  // file's bytes would not come back from the conversion (bytes no character
  // stands for, a value cut at the length limit).
  if (codec_.Decode) {
    if (std::optional<std::string> now = Get(section, key); now && codec_.Decode(*now) == value) return true;
  }
  if (!codec_.Encode) {
    Set(section, key, value);
    return true;
  }
  std::string encoded;
  if (!codec_.Encode(value, encoded)) return false;
  Set(section, key, encoded);
  return true;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  Set(section, key, IntToStr(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  Set(section, key, value ? "1" : "0");
}

}  // namespace korvi
