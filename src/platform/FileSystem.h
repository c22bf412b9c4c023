#pragma once
#include <cstddef>
#include <string>

namespace korvi {

// File access the logic needs. Paths are Windows paths in the ANSI code page.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;

  enum class ReadResult { Ok, Missing, TooLarge, Failed };
  // Reads a whole file into `content`, refusing files larger than `limit` bytes.
  virtual ReadResult ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) = 0;

  // Writes `content` to a temporary file beside `path` and then replaces `path` with it,
  // so that the old file stays intact when anything fails. Returns false on failure.
  virtual bool ReplaceFileContent(const std::string& path, const std::string& content) = 0;
};

}  // namespace korvi
