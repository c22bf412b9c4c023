#pragma once
#include <cstddef>

#include "panel/IniFile.h"
#include "panel/data.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace korvi {

// The largest settings file that is read. Everything the pager writes stays far
// below it (128 buttons of at most 2047-character values is about 1.3 MiB); a
// larger file is not ours to load or to overwrite.
constexpr std::size_t kSettingsFileLimit = 2 * 1024 * 1024;

// Reads the settings file at data.SettingsPath into the pager window, its docking
// component, the button table and the shared state. A missing, unreadable or
// oversized file reads as all defaults; an unreadable one that is there is marked
// (data.SettingsUnread) so that no save overwrites it. Needs data.Form.
void LoadSettings(SharedState& data, FileSystem& files);

// Writes the live objects into the settings file in one piece: the current file
// is read, every key the pager owns is set in it, everything else is kept as it
// was, and the result replaces the file at once, in the file's own encoding (ANSI,
// or UTF-8 or UTF-16 after a byte-order mark). When the file cannot be read (other
// than missing) or cannot be written, the old file is left alone, the user sees
// "Unable to write to <path>" and false comes back. When it could not be read at
// start-up and is still there, it is left alone too: the first such save tells the
// user why, in a second line; later ones return false without a message.
bool SaveSettings(SharedState& data, FileSystem& files, Shell& shell);

// The settings file's bytes parsed as LoadSettings reads them: after a byte-order
// mark as Unicode, its values handed out in the ANSI code page. Uses `files` for the
// code page for as long as the result lives.
IniFile ParseSettingsBytes(std::string_view bytes, FileSystem& files);

// The two halves of the above over a parsed file, in the documented key order.
void ReadSettings(const IniFile& ini, SharedState& data);
void WriteSettings(SharedState& data, IniFile& ini);

}  // namespace korvi
