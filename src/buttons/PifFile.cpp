#include "buttons/PifFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace korvi {

bool TPifFile::ReadPif(const std::string& fileName) {
  ok_ = true;
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (f == nullptr) {
    ok_ = false;
    return ok_;
  }
  // A folder opens on some systems and then fails to read: that too is a false result.
  const std::size_t got = std::fread(record_.data(), 1, kRecordSize, f);
  if (got != kRecordSize) ok_ = false;
  std::fclose(f);
  return ok_;
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
