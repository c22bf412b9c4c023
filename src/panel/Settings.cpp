#include "panel/Settings.h"

#include <optional>
#include <string>
#include <vector>

#include "panel/FontText.h"
#include "panel/TextEncoding.h"

namespace korvi {

namespace {

constexpr const char* kForm = "FORM";
constexpr const char* kDesktop = "DESKTOP";
constexpr const char* kWallpaper = "WALLPAPER";
constexpr const char* kPanelColor = "PANELCOLOR";
constexpr const char* kOptions = "OPTIONS";
constexpr const char* kHotkeys = "HOTKEYS";
constexpr const char* kSticky = "STICKY";
// The most [STICKY] CLASSn keys read: more rules than any user writes by hand.
constexpr int kMaxStickyClasses = 64;

constexpr int32_t kDefaultPanelColor = 0x808080;

std::string ButtonSection(int n) { return "BUTTON" + std::to_string(n); }
std::string Numbered(const char* key, int n) { return key + std::to_string(n); }

// The file parsed from its text (UTF-8 when the file is Unicode); an ANSI file's
// values are converted from and to the ANSI code page, so the program sees UTF-8.
IniFile ParseText(const std::string& text, TextEncoding encoding, FileSystem& files) {
  IniFile ini = IniFile::Parse(text);
  if (encoding == TextEncoding::Ansi)
    ini.SetValueCodec({[&files](std::string_view v) { return files.AnsiToUtf8(v); },
                       [&files](std::string_view v, std::string& ansi) { return files.Utf8ToAnsi(v, ansi); }});
  return ini;
}

// The "[SECTION] KEY" of each value the file's encoding could not hold.
using Refused = std::vector<std::string>;

void WriteText(IniFile& ini, const std::string& section, const std::string& key, const std::string& value,
               Refused& refused) {
  if (!ini.WriteString(section, key, value)) refused.push_back("[" + section + "] " + key);
}

// `scratch` carries the face from one FONT key to the next, in entry order: an
// empty face keeps the one decoded before.
ButtonRecord ReadButton(const IniFile& ini, int n, TFont& scratch) {
  const std::string s = ButtonSection(n);
  ButtonRecord r;
  r.Enabled = r.Visible = ini.ReadBool(s, "VISIBLE", false);
  if (!r.Visible) return r;

  r.HasPlace = ini.Get(s, "LEFT").has_value() || ini.Get(s, "TOP").has_value();
  r.Left = ini.ReadInteger(s, "LEFT", 0);
  r.Top = ini.ReadInteger(s, "TOP", 0);
  r.HasWidth = ini.Get(s, "WIDTH").has_value();
  r.Width = ini.ReadInteger(s, "WIDTH", 50);
  r.HasHeight = ini.Get(s, "HEIGHT").has_value();
  r.Height = ini.ReadInteger(s, "HEIGHT", 50);
  r.Flat = ini.ReadBool(s, "FLAT", false);
  r.Program = ini.ReadString(s, "PROGRAM", "");
  r.HasStart = ini.Get(s, "START").has_value();
  r.Start = ini.ReadString(s, "START", "");
  r.Args = ini.ReadString(s, "ARGS", "");
  r.HasGlyph = ini.Get(s, "GLYPH").has_value();
  r.Glyph = ini.ReadString(s, "GLYPH", "");
  r.Index = ini.ReadInteger(s, "INDEX", 0);
  r.HasCaption = ini.Get(s, "CAPTION").has_value();
  r.Caption = ini.ReadString(s, "CAPTION", "");
  r.Hint = ini.ReadString(s, "HINT", "");
  // Only the low byte counts; one that names no layout (0 left .. 3 bottom)
  // would leave the glyph nowhere, so it falls back to left.
  const uint8_t layout = static_cast<uint8_t>(ini.ReadInteger(s, "LAYOUT", 0));
  r.Layout = layout <= static_cast<uint8_t>(GlyphLayout::Bottom) ? layout : static_cast<uint8_t>(GlyphLayout::Left);
  r.HasFont = ini.Get(s, "FONT").has_value();
  const std::string font = ini.ReadString(s, "FONT", "");
  r.IData = ini.ReadInteger(s, "IDATA", 0);
  r.Font = StrToFont(scratch, font);
  return r;
}

void WriteButton(IniFile& ini, const ButtonRecord& r, int n, Refused& refused) {
  const std::string s = ButtonSection(n);
  ini.WriteBool(s, "VISIBLE", r.Enabled);
  // A hidden entry keeps its older keys untouched.
  if (!r.Visible) return;
  // A live button always has its place; a record read without one writes none.
  if (r.HasPlace) {
    ini.WriteInteger(s, "LEFT", r.Left);
    ini.WriteInteger(s, "TOP", r.Top);
  }
  if (r.HasWidth) ini.WriteInteger(s, "WIDTH", r.Width);
  if (r.HasHeight) ini.WriteInteger(s, "HEIGHT", r.Height);
  ini.WriteBool(s, "FLAT", r.Flat);
  WriteText(ini, s, "PROGRAM", r.Program, refused);
  // A key the record does not hold stays as the file has it (left out).
  if (r.HasStart) WriteText(ini, s, "START", r.Start, refused);
  WriteText(ini, s, "ARGS", r.Args, refused);
  if (r.HasGlyph) WriteText(ini, s, "GLYPH", r.Glyph, refused);
  ini.WriteInteger(s, "INDEX", r.Index);
  if (r.HasCaption) WriteText(ini, s, "CAPTION", r.Caption, refused);
  WriteText(ini, s, "HINT", r.Hint, refused);
  ini.WriteInteger(s, "LAYOUT", r.Layout);
  if (r.HasFont) WriteText(ini, s, "FONT", FontToStr(&r.Font), refused);
  ini.WriteInteger(s, "IDATA", r.IData);
}

// Any other value than 0..2 follows as the default does.
int32_t ReadFollowFocus(const IniFile& ini) {
  const int32_t v = ini.ReadInteger(kOptions, "FOLLOWFOCUS", 1);
  return v >= 0 && v <= 2 ? v : 1;
}

PagerSettings ReadValues(const IniFile& ini) {
  PagerSettings v;
  FormSettings& f = v.Form;
  // Only the low byte is the edge; one that names no edge (1 top .. 4 right)
  // docks to the bottom, where a first start docks.
  const uint8_t dock = static_cast<uint8_t>(ini.ReadInteger(kForm, "EDGE", edge::Bottom));
  f.Edge = dock >= edge::Top && dock <= edge::Right ? dock : edge::Bottom;
  f.Size = ini.ReadInteger(kForm, "SIZE", 100);
  f.Smooth = ini.ReadBool(kForm, "SMOOTH", true);
  f.OnTop = ini.ReadBool(kForm, "ONTOP", false);
  f.Hide = ini.ReadBool(kForm, "HIDE", true);
  f.Color = ini.ReadInteger(kForm, "COLOR", clBtnFace);

  // The pager has selectors and wallpapers for 1..10 desktops only; a count
  // outside that is taken to the nearest end.
  const int32_t count = ini.ReadInteger(kDesktop, "COUNT", 2);
  v.DesktopCount = count < 1 ? 1 : count > kMaxDesktops ? kMaxDesktops : count;

  TFont scratch;
  for (int n = 1; n <= kButtonCount; ++n) v.Buttons[n - 1] = ReadButton(ini, n, scratch);

  for (int d = 1; d <= kMaxDesktops; ++d) v.Wallpapers[d] = ini.ReadString(kWallpaper, Numbered("FILE", d), "");
  for (int d = 1; d <= kMaxDesktops; ++d)
    v.PanelColors[d] = ini.ReadInteger(kPanelColor, Numbered("COLOR", d), kDefaultPanelColor);
  v.GatherOnExit = ini.ReadBool(kOptions, "GATHERONEXIT", false);
  for (int32_t a = 0; a < kHotActionCount; ++a) v.Hotkeys[a] = ini.ReadString(kHotkeys, HotActionName(a), v.Hotkeys[a]);
  for (int n = 1; n <= kMaxStickyClasses; ++n) {
    std::string c = ini.ReadString(kSticky, Numbered("CLASS", n), "");
    if (!c.empty()) v.StickyClasses.push_back(std::move(c));
  }
  v.FollowFocus = ReadFollowFocus(ini);
  return v;
}

void WriteValues(const PagerSettings& v, IniFile& ini, Refused& refused) {
  const FormSettings& f = v.Form;
  ini.WriteInteger(kForm, "EDGE", f.Edge);
  ini.WriteInteger(kForm, "SIZE", f.Size);
  ini.WriteBool(kForm, "SMOOTH", f.Smooth);
  ini.WriteBool(kForm, "ONTOP", f.OnTop);
  ini.WriteBool(kForm, "HIDE", f.Hide);
  ini.WriteInteger(kForm, "COLOR", f.Color);

  ini.WriteInteger(kDesktop, "COUNT", v.DesktopCount);

  for (int n = 1; n <= kButtonCount; ++n) WriteButton(ini, v.Buttons[n - 1], n, refused);

  for (int d = 1; d <= kMaxDesktops; ++d) WriteText(ini, kWallpaper, Numbered("FILE", d), v.Wallpapers[d], refused);
  for (int d = 1; d <= kMaxDesktops; ++d) ini.WriteInteger(kPanelColor, Numbered("COLOR", d), v.PanelColors[d]);
  // A file that never had the option gets its section only once the user turns it on,
  // so the files of users who never do stay as they were.
  if (v.GatherOnExit || ini.Get(kOptions, "GATHERONEXIT")) ini.WriteBool(kOptions, "GATHERONEXIT", v.GatherOnExit);
  // A key is written only once it differs from what the file gives (its line, or the
  // default where it has none): a file stays without [HOTKEYS] until the user changes
  // a key, and a line the pager could not use stays until the user changes that key.
  const HotkeyTexts defaults = DefaultHotkeyTexts();
  for (int32_t a = 0; a < kHotActionCount; ++a) {
    const std::string name = HotActionName(a);
    if (v.Hotkeys[a] != ini.ReadString(kHotkeys, name, defaults[a])) ini.WriteString(kHotkeys, name, v.Hotkeys[a]);
  }
  // Written only when the mode is not what the file says (the default when it says
  // nothing, or something else): the user's own line stays until they change the mode.
  if (ReadFollowFocus(ini) != v.FollowFocus) ini.WriteInteger(kOptions, "FOLLOWFOCUS", v.FollowFocus);
}

// The settings file's bytes when it may be read and rewritten (empty for a
// missing file); nullopt when it is there but must not be touched.
std::optional<std::string> ReadSettingsFile(const SharedState& data, FileSystem& files, bool* missing = nullptr) {
  std::string bytes;
  const FileSystem::ReadResult result = files.ReadWholeFile(data.SettingsPath, bytes, kSettingsFileLimit);
  if (missing) *missing = result == FileSystem::ReadResult::Missing;
  switch (result) {
    case FileSystem::ReadResult::Ok: return bytes;
    case FileSystem::ReadResult::Missing: return std::string();
    case FileSystem::ReadResult::TooLarge:
    case FileSystem::ReadResult::Failed: break;
  }
  return std::nullopt;
}

}  // namespace

IniFile ParseSettingsBytes(std::string_view bytes, FileSystem& files) {
  const TextEncoding encoding = DetectTextEncoding(bytes);
  return ParseText(DecodeToUtf8(bytes, encoding), encoding, files);
}

PagerSettings ReadSettings(std::string_view bytes, FileSystem& codePage) {
  return ReadValues(ParseSettingsBytes(bytes, codePage));
}

std::string WriteSettings(const PagerSettings& settings, std::string_view original, FileSystem& codePage,
                          std::vector<std::string>* refused) {
  TextEncoding encoding = DetectTextEncoding(original);
  std::string text = DecodeToUtf8(original, encoding);
  IniFile ini = ParseText(text, encoding, codePage);
  Refused lost;
  WriteValues(settings, ini, lost);
  // A new file has no encoding of its own yet: ANSI, as the profile functions
  // write one, unless its text needs characters the code page lacks.
  if (!lost.empty() && original.empty()) {
    encoding = TextEncoding::Utf8;
    text.clear();
    ini = ParseText(text, encoding, codePage);
    lost.clear();
    WriteValues(settings, ini, lost);
  }
  if (refused) *refused = std::move(lost);
  const std::string updated = ini.Text();
  // Nothing changed: the original as it was, whatever its encoding made of it.
  if (updated == text) return std::string(original);
  std::string bytes = EncodeFromUtf8(updated, encoding);
  // The odd last byte of a UTF-16 file, which no reading sees, stays too.
  const bool utf16 = encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
  if (utf16 && DetectTextEncoding(original) == encoding && original.size() % 2 == 1) bytes += original.back();
  return bytes;
}

bool SettingsFileCanHold(const SharedState& data, FileSystem& files, std::string_view text) {
  std::string start, ansi;
  if (files.ReadFileStart(data.SettingsPath, start, 3) != FileSystem::ReadResult::Ok || start.empty()) return true;
  return DetectTextEncoding(start) != TextEncoding::Ansi || files.Utf8ToAnsi(text, ansi);
}

PagerSettings LoadSettings(SharedState& data, FileSystem& files) {
  const std::optional<std::string> bytes = ReadSettingsFile(data, files);
  data.SettingsUnread = !bytes;
  return ReadSettings(bytes ? *bytes : std::string(), files);
}

bool SaveSettings(const PagerSettings& settings, SharedState& data, FileSystem& files, Shell& shell,
                  SaveMoment moment) {
  // The whole file is composed in memory and replaced in one step, so a failure
  // anywhere leaves the old file as it was rather than half written.
  bool missing = false;
  const std::optional<std::string> bytes = ReadSettingsFile(data, files, &missing);
  // A file that could not be read at start-up holds settings the pager never
  // saw; saving the defaults it runs on would overwrite them. The user hears of it
  // at the first such save, and why; later ones are refused without a word, so
  // the box does not come back at every click on the panel. Exit says it once
  // more: what was changed since is lost for good then.
  if (data.SettingsUnread && !missing) {
    static constexpr const char* kWhy = "\nThe file was left as it is because it could not be read when Korvi8 started.";
    if (moment == SaveMoment::Exit)
      shell.ShowError("The settings were not saved to " + data.SettingsPath + kWhy);
    else if (!data.SettingsUnreadReported)
      shell.ShowError("Unable to write to " + data.SettingsPath + kWhy);
    data.SettingsUnreadReported = true;
    return false;
  }
  bool ok = false;
  if (bytes) {
    std::vector<std::string> refused;
    const std::string updated = WriteSettings(settings, *bytes, files, &refused);
    // Nothing changed: no write.
    ok = updated == *bytes || files.ReplaceFileContent(data.SettingsPath, updated);
    if (ok) data.SettingsUnread = false;
    // The places where text is typed refuse what the file cannot hold; anything that
    // still gets here keeps its old value in the file, and the user hears which.
    if (ok && !refused.empty()) {
      std::string keys;
      for (const std::string& k : refused) keys += "\n" + k;
      shell.ShowError("Some values were not saved to " + data.SettingsPath +
                      ", because the file is in the ANSI code page, which has no characters for them:" + keys);
    }
  }
  if (!ok) shell.ShowError("Unable to write to " + data.SettingsPath);
  return ok;
}

}  // namespace korvi
