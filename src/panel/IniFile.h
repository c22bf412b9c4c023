#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvi {

// The text of a Windows INI file, read and edited the way the Windows profile
// functions (GetPrivateProfileStringA / WritePrivateProfileStringA) treat it:
//
// - Lines end in LF or CR LF. A line whose first non-blank character is ";" is a
//   comment; "[name]" starts a section (the name runs to the last "]"); a line
//   with "=" is a key; any other line is kept but never found.
// - Section and key names compare case-insensitively (ASCII); blanks around
//   names and values do not count. A name or value ends at a NUL byte, as it
//   would in a C string.
// - The first of duplicate sections wins, and keys are looked up only in it;
//   the first of duplicate keys in that section wins.
// - A value in matching single or double quotes comes back without them; a
//   value comes back at most kMaxValueLength characters long (a 2048-byte buffer).
// - A UTF-8 byte-order mark before the first line is ignored (kept on output).
//
// Editing keeps every line that is not set byte for byte: comments, blank lines,
// unknown sections and keys, line ends. A new key goes after the last non-comment
// line of its section, a new section at the end of the file.
class IniFile {
 public:
  static constexpr std::size_t kMaxValueLength = 2047;

  IniFile() = default;
  static IniFile Parse(std::string_view text);

  // What a line is: blank or comment (filler), a line that is neither a section
  // nor a named key (other), a section header, or a key.
  enum class Kind : uint8_t { Filler, Other, Header, Key };

  // The value as the profile functions return it; nullopt when the section or
  // key does not exist.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  // Sets a key, adding the section and key when missing. The value is written so
  // that Get returns it unchanged where the profile format allows: line breaks
  // become blanks, and a value that would otherwise lose blanks or quotes on
  // reading is written in double quotes. Names are plain words (no "=", "]" or
  // line break), as the settings file uses.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // The whole file text.
  std::string Text() const;

  // Typed access, in the encodings of the settings file.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  // False, and the line left as it was, when the file's encoding has no characters
  // for the value (see ValueCodec).
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The program's text is UTF-8. A file held in another encoding (an ANSI settings
  // file) converts its values on the typed string access: Decode turns the file's
  // text into UTF-8, Encode turns UTF-8 into the file's text and is false when the
  // encoding has no character for some of it. Empty functions: the file's text is
  // UTF-8 and values are taken as they are. A value that reads as the one written
  // keeps its line byte for byte, whatever bytes the file holds.
  struct ValueCodec {
    std::function<std::string(std::string_view)> Decode;
    std::function<bool(std::string_view, std::string&)> Encode;
  };
  void SetValueCodec(ValueCodec codec) { codec_ = std::move(codec); }

  // How a value is written so that it reads back unchanged (see Set).
  static std::string EncodeValue(std::string_view value);

 private:
  static constexpr uint32_t kNone = UINT32_MAX;

  // One line, or a run of blank and comment lines that is never edited. Records
  // never move; `next` gives the file order, so inserting a line is cheap.
  struct Record {
    std::size_t begin = 0;  // in source_, when owned < 0
    std::size_t length = 0;
    int32_t owned = -1;  // index into owned_ once the line was rewritten or added
    uint32_t next = kNone;
    Kind kind = Kind::Filler;
  };
  struct Section {
    uint32_t header = kNone;
    uint32_t lastContent = kNone;  // where a new key goes after
  };

  std::string_view RecordText(uint32_t id) const;
  void SetRecordText(uint32_t id, std::string text);
  uint32_t AddRecord(Kind kind, std::string text, uint32_t after);
  void EnsureLineEnd(uint32_t id);
  uint32_t FindKey(const Section& s, std::string_view key) const;
  // The value of key line `id` as Get reads it.
  std::string ValueAt(uint32_t id) const;
  const Section* FindSection(std::string_view section) const;

  std::string source_;
  std::vector<std::string> owned_;
  std::vector<Record> records_;
  uint32_t head_ = kNone, tail_ = kNone;
  std::unordered_map<std::string, Section> sections_;  // by upper-case name; first occurrence only
  std::string newline_ = "\r\n";
  std::size_t bomLength_ = 0;
  ValueCodec codec_;
};

}  // namespace korvi
