// The INI reader and editor over arbitrary bytes: the text must come back
// unchanged, lookups must not fail, and a key that was set must read back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "panel/IniFile.h"
#include "util/Text.h"

using korvi::IniFile;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// A plain name taken from the input, so that fuzzed files and lookups meet.
std::string NameFrom(std::string_view data, size_t at) {
  std::string name;
  for (size_t i = at; i < data.size() && name.size() < 8; ++i) {
    unsigned char c = static_cast<unsigned char>(data[i]);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) name += static_cast<char>(c);
  }
  return name.empty() ? "K" : name;
}

std::string Expected(std::string_view value) {
  std::string v(value);
  for (char& c : v)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return v.substr(0, IniFile::kMaxValueLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  std::string_view data(reinterpret_cast<const char*>(bytes), size);
  IniFile ini = IniFile::Parse(data);
  Check(ini.Text() == data);

  std::string section = NameFrom(data, 0);
  std::string key = NameFrom(data, size / 2);
  std::optional<std::string> before = ini.Get(section, key);
  if (before) Check(before->size() <= IniFile::kMaxValueLength);
  (void)ini.ReadInteger("FORM", "EDGE", 2);

  // The tail of the input as a value, any bytes at all.
  std::string_view value = data.substr(size - size / 4);
  ini.Set("FORM", "EDGE", "258");
  ini.Set(section, key, value);
  const bool sameKey = korvi::SameText(section, "FORM") && korvi::SameText(key, "EDGE");
  std::optional<std::string> after = ini.Get(section, key);
  Check(after && *after == Expected(value));

  IniFile again = IniFile::Parse(ini.Text());
  Check(again.Text() == ini.Text());
  std::optional<std::string> reread = again.Get(section, key);
  Check(reread && *reread == Expected(value));
  if (!sameKey) Check(again.ReadInteger("FORM", "EDGE", 0) == 258);
  return 0;
}
