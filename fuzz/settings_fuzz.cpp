// The whole settings path over arbitrary bytes: a file is read into settings and the
// settings are written back into it. Whatever the bytes, what was written reads back
// as the same settings, and writing the same settings into it again changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "panel/Settings.h"
#include "panel/TextEncoding.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The code page of a Western system: bytes 0..255 are U+0000..U+00FF, any other
// character is refused. Nothing else of the file system is used on this path.
class Latin1CodePage : public korvi::FileSystem {
 public:
  bool FileExists(const std::string&) override { return false; }
  bool DirectoryExists(const std::string&) override { return false; }
  ReadResult ReadWholeFile(const std::string&, std::string&, std::size_t) override { return ReadResult::Missing; }
  ReadResult ReadFileStart(const std::string&, std::string&, std::size_t) override { return ReadResult::Missing; }
  bool ReplaceFileContent(const std::string&, const std::string&) override { return false; }
  std::string AnsiToUtf8(std::string_view ansi) override {
    std::string utf16("\xFF\xFE");
    for (char c : ansi) utf16 += {c, '\0'};
    return korvi::DecodeToUtf8(utf16, korvi::TextEncoding::Utf16LE);
  }
  bool Utf8ToAnsi(std::string_view utf8, std::string& ansi) override {
    const std::string utf16 = korvi::EncodeFromUtf8(utf8, korvi::TextEncoding::Utf16LE);
    ansi.clear();
    for (std::size_t i = 2; i + 1 < utf16.size(); i += 2) {
      if (utf16[i + 1]) return false;
      ansi += utf16[i];
    }
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size > korvi::kSettingsFileLimit) return 0;  // never read
  Latin1CodePage codePage;
  const std::string_view original(reinterpret_cast<const char*>(bytes), size);
  const korvi::PagerSettings settings = korvi::ReadSettings(original, codePage);
  const std::string written = korvi::WriteSettings(settings, original, codePage);
  Check(korvi::DetectTextEncoding(written) == korvi::DetectTextEncoding(original));
  Check(korvi::ReadSettings(written, codePage) == settings);
  Check(korvi::WriteSettings(settings, written, codePage) == written);
  return 0;
}
