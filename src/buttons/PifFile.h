#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/FileSystem.h"

namespace korvi {

// Reads the basic section of a program information file (".pif"): the first 369
// bytes, holding the program name, start-up directory and parameters that the
// launcher hands to the shell. The last read is kept until the next one; the
// readers take their text out of it when called.
class TPifFile {
 public:
  static constexpr std::size_t kRecordSize = 369;

  // Reads exactly the first 369 bytes of the file through `files`; false (PifOk) when it is
  // missing, unreadable or shorter. After a failed read the record may hold a mix
  // of old and new bytes, and the readers return whatever it holds.
  bool ReadPif(FileSystem& files, const std::string& fileName);
  // The same from bytes already in memory: false when fewer than 369.
  bool ReadPifBytes(std::span<const uint8_t> bytes);

  bool PifOk() const { return ok_; }
  // Each text runs to its first zero byte or the end of its field; not trimmed.
  std::string PifProgram() const;   // bytes 36..98
  std::string PifStartDir() const;  // bytes 101..164
  std::string PifParams() const;    // bytes 165..228

 private:
  std::string Field(std::size_t offset, std::size_t width) const;

  bool ok_ = false;
  std::array<uint8_t, kRecordSize> record_{};
};

}  // namespace korvi
