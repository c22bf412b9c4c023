#include "buttons/PifFile.h"

#include <algorithm>
#include <cstring>

namespace korvi {

bool TPifFile::ReadPif(FileSystem& files, const std::string& fileName) {
  std::string start;
  // A folder or an unreadable file is a false result; the record keeps its old bytes.
  if (files.ReadFileStart(fileName, start, kRecordSize) != FileSystem::ReadResult::Ok) {
    ok_ = false;
    return ok_;
  }
  return ReadPifBytes({reinterpret_cast<const uint8_t*>(start.data()), start.size()});
}

bool TPifFile::ReadPifBytes(std::span<const uint8_t> bytes) {
  const std::size_t n = std::min(bytes.size(), kRecordSize);
  if (n > 0) std::memcpy(record_.data(), bytes.data(), n);
  ok_ = bytes.size() >= kRecordSize;
  return ok_;
}

std::string TPifFile::Field(std::size_t offset, std::size_t width) const {
  const auto* begin = reinterpret_cast<const char*>(record_.data() + offset);
  const auto* zero = static_cast<const char*>(std::memchr(begin, 0, width));
  return std::string(begin, zero ? zero : begin + width);
}

std::string TPifFile::PifProgram() const { return Field(36, 63); }
std::string TPifFile::PifStartDir() const { return Field(101, 64); }
std::string TPifFile::PifParams() const { return Field(165, 64); }

}  // namespace korvi
