#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace korvi {

// File access the logic needs. Paths are Windows paths in UTF-8.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;

  enum class ReadResult { Ok, Missing, TooLarge, Failed };
  // Reads a whole file into `content`, refusing files larger than `limit` bytes.
  virtual ReadResult ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) = 0;
  // Reads the first `count` bytes of a file into `content`, or all of a shorter file.
  virtual ReadResult ReadFileStart(const std::string& path, std::string& content, std::size_t count) = 0;

  // Writes `content` to a temporary file beside `path` and then replaces `path` with it,
  // so that the old file stays intact when anything fails. Returns false on failure.
  virtual bool ReplaceFileContent(const std::string& path, const std::string& content) = 0;

  // Text between the system's ANSI code page and UTF-8 (a settings file without a
  // byte-order mark is ANSI). Utf8ToAnsi is false, and `ansi` undefined, when the
  // code page has no character for some of the text: nothing is ever made "?".
  virtual std::string AnsiToUtf8(std::string_view ansi) = 0;
  virtual bool Utf8ToAnsi(std::string_view utf8, std::string& ansi) = 0;
};

}  // namespace korvi
