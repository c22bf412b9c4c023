#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "panel/IniFile.h"
#include "panel/PagerSettings.h"
#include "panel/data.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace korvi {

// The largest settings file that is read. Everything the pager writes stays far
// below it (128 buttons of at most 2047-character values is about 1.3 MiB); a
// larger file is not ours to load or to overwrite.
constexpr std::size_t kSettingsFileLimit = 2 * 1024 * 1024;

// The settings file's bytes as values, in the documented key order. Text comes out
// as UTF-8: after a byte-order mark the file is Unicode, otherwise its values are
// converted from the ANSI code page that `codePage` converts with. Keys that are missing or no number read as
// their defaults; numbers out of range are brought into range.
PagerSettings ReadSettings(std::string_view bytes, FileSystem& codePage);

// `original` with every key the pager owns set from `settings`, everything else
// kept byte for byte, in the original's encoding (ANSI, or UTF-8 or UTF-16 after a
// byte-order mark). When no value changes, the result is `original` itself. A
// value an ANSI file cannot hold is not written (its old line stays) and its
// "[SECTION] KEY" goes to `refused` (SaveSettings then tells the user which); an empty `original` is written as ANSI, or as
// UTF-8 when its values need it.
std::string WriteSettings(const PagerSettings& settings, std::string_view original, FileSystem& codePage,
                          std::vector<std::string>* refused = nullptr);

// Reads the settings file at data.SettingsPath. A missing, unreadable or oversized
// file reads as all defaults; an unreadable one that is there is marked
// (data.SettingsUnread) so that no save overwrites it.
PagerSettings LoadSettings(SharedState& data, FileSystem& files);

// Writes `settings` into the settings file in one piece: the current file is read,
// every key the pager owns is set in it, and the result replaces the file at once.
// When the file cannot be read (other than missing) or cannot be written, the old
// file is left alone, the user sees "Unable to write to <path>" and false comes
// back. When it could not be read at start-up and is still there, it is left alone
// too: the first such save tells the user why, in a second line; later ones return
// false without a message, but for the save on Exit, which says once more that the
// settings were not saved and why, since the user's changes are lost with it.
enum class SaveMoment { Running, Exit };
bool SaveSettings(const PagerSettings& settings, SharedState& data, FileSystem& files, Shell& shell,
                  SaveMoment moment = SaveMoment::Running);

// Whether the settings file at data.SettingsPath can hold `text` (UTF-8): false only
// for an ANSI file whose code page has no characters for some of it. The places
// where text is typed ask this, to refuse such text there and then.
bool SettingsFileCanHold(const SharedState& data, FileSystem& files, std::string_view text);

// The settings file's bytes parsed as ReadSettings reads them. Uses `files` for
// the code page for as long as the result lives.
IniFile ParseSettingsBytes(std::string_view bytes, FileSystem& files);

}  // namespace korvi
