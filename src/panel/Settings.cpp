#include "panel/Settings.h"

#include <string>

#include "main/main.h"
#include "panel/FontText.h"
#include "panel/TextEncoding.h"

namespace korvi {

namespace {

constexpr const char* kForm = "FORM";
constexpr const char* kDesktop = "DESKTOP";
constexpr const char* kWallpaper = "WALLPAPER";
constexpr const char* kPanelColor = "PANELCOLOR";

constexpr int32_t kDefaultPanelColor = 0x808080;

std::string ButtonSection(int n) { return "BUTTON" + std::to_string(n); }
std::string Numbered(const char* key, int n) { return key + std::to_string(n); }

// The settings file's text, as UTF-8 when the file is Unicode, with its encoding.
struct SettingsText {
  std::string text;
  TextEncoding encoding = TextEncoding::Ansi;
};

// The settings file when it may be read and rewritten (empty text for a missing
// file); nullopt when it is there but must not be touched.
std::optional<SettingsText> ReadSettingsText(const SharedState& data, FileSystem& files, bool* missing = nullptr) {
  std::string bytes;
  FileSystem::ReadResult result = files.ReadWholeFile(data.SettingsPath, bytes, kSettingsFileLimit);
  if (missing) *missing = result == FileSystem::ReadResult::Missing;
  switch (result) {
    case FileSystem::ReadResult::Ok: {
      const TextEncoding encoding = DetectTextEncoding(bytes);
      return SettingsText{DecodeToUtf8(bytes, encoding), encoding};
    }
    case FileSystem::ReadResult::Missing:
      return SettingsText{};
    case FileSystem::ReadResult::TooLarge:
    case FileSystem::ReadResult::Failed:
      break;
  }
  return std::nullopt;
}

// The file parsed; a Unicode file's values reach the program in the ANSI code
// page, as the ANSI profile functions hand them out.
IniFile ParseSettings(const SettingsText& file, FileSystem& files) {
  IniFile ini = IniFile::Parse(file.text);
  if (file.encoding != TextEncoding::Ansi)
    ini.SetValueCodec({[&files](std::string_view v) { return files.Utf8ToAnsi(v); },
                       [&files](std::string_view v) { return files.AnsiToUtf8(v); }});
  return ini;
}

// Releases the docking component's Freeze however the load or save ends.
class FreezeScope {
 public:
  explicit FreezeScope(TEdgeForm& edge) : edge_(edge) { edge_.SetFreeze(true); }
  ~FreezeScope() { edge_.SetFreeze(false); }
  FreezeScope(const FreezeScope&) = delete;
  FreezeScope& operator=(const FreezeScope&) = delete;

 private:
  TEdgeForm& edge_;
};

void ReadButton(const IniFile& ini, SharedState& data, TExeButton& b, int n) {
  const std::string s = ButtonSection(n);
  b.Enabled = ini.ReadBool(s, "VISIBLE", false);
  b.Visible = b.Enabled;
  if (!b.Visible) return;  // the rest of a removed entry stays as start-up made it

  b.Left = ini.ReadInteger(s, "LEFT", 0);
  b.Top = ini.ReadInteger(s, "TOP", 0);
  b.Width = ini.ReadInteger(s, "WIDTH", 50);
  b.Height = ini.ReadInteger(s, "HEIGHT", 50);
  b.Flat = ini.ReadBool(s, "FLAT", false);
  // ExeName first: it resets start directory, arguments, glyph and caption, so
  // the keys read after it win.
  b.SetExeName(ini.ReadString(s, "PROGRAM", ""));
  b.SetExeStart(ini.ReadString(s, "START", ""));
  b.SetExeArgs(ini.ReadString(s, "ARGS", ""));
  b.SetGlyphName(ini.ReadString(s, "GLYPH", ""));
  b.SetIconIndex(ini.ReadInteger(s, "INDEX", 0));
  b.Caption = ini.ReadString(s, "CAPTION", "");
  b.Hint = ini.ReadString(s, "HINT", "");
  // Only the low byte counts; one that names no layout (0 left .. 3 bottom)
  // would leave the glyph nowhere, so it falls back to left.
  uint8_t layout = static_cast<uint8_t>(ini.ReadInteger(s, "LAYOUT", 0));
  b.Layout = layout <= static_cast<uint8_t>(GlyphLayout::Bottom) ? layout : static_cast<uint8_t>(GlyphLayout::Left);
  std::string font = ini.ReadString(s, "FONT", "");
  b.IData = ini.ReadInteger(s, "IDATA", 0);
  b.Font = StrToFont(data, font);
  b.ShowHint = !b.Hint.empty();
}

void WriteButton(IniFile& ini, TExeButton& b, int n) {
  const std::string s = ButtonSection(n);
  ini.WriteBool(s, "VISIBLE", b.Enabled);
  // A hidden entry keeps its older keys untouched.
  if (!b.Visible) return;
  ini.WriteInteger(s, "LEFT", b.Left);
  ini.WriteInteger(s, "TOP", b.Top);
  ini.WriteInteger(s, "WIDTH", b.Width);
  ini.WriteInteger(s, "HEIGHT", b.Height);
  ini.WriteBool(s, "FLAT", b.Flat);
  ini.WriteString(s, "PROGRAM", b.ExeName());
  ini.WriteString(s, "START", b.ExeStart());
  ini.WriteString(s, "ARGS", b.ExeArgs());
  ini.WriteString(s, "GLYPH", b.GlyphName());
  ini.WriteInteger(s, "INDEX", b.IconIndex());
  ini.WriteString(s, "CAPTION", b.Caption);
  ini.WriteString(s, "HINT", b.Hint);
  ini.WriteInteger(s, "LAYOUT", b.Layout);
  ini.WriteString(s, "FONT", FontToStr(&b.Font));
  ini.WriteInteger(s, "IDATA", b.IData);
}

}  // namespace

IniFile ParseSettingsBytes(std::string_view bytes, FileSystem& files) {
  const TextEncoding encoding = DetectTextEncoding(bytes);
  return ParseSettings({DecodeToUtf8(bytes, encoding), encoding}, files);
}

void ReadSettings(const IniFile& ini, SharedState& data) {
  if (data.Form == nullptr) return;
  TForm1& form = *data.Form;
  TEdgeForm& edge = form.Edge();

  // Only the low byte is the edge; one that names no edge (1 top .. 4 right)
  // docks to the bottom, where a first start docks.
  uint8_t dock = static_cast<uint8_t>(ini.ReadInteger(kForm, "EDGE", edge::Bottom));
  form.SetDockEdge(dock >= edge::Top && dock <= edge::Right ? dock : edge::Bottom);
  edge.SetSize(ini.ReadInteger(kForm, "SIZE", 100));  // 0 or less is ignored by Size
  edge.SetSmooth(ini.ReadBool(kForm, "SMOOTH", true));
  bool onTop = ini.ReadBool(kForm, "ONTOP", false);
  edge.SetAutoFull(ini.ReadBool(kForm, "HIDE", true));
  form.SetColor(ini.ReadInteger(kForm, "COLOR", clBtnFace));
  form.SetStayOnTop(onTop);

  // The pager has selectors and wallpapers for 1..10 desktops only; a count
  // outside that is taken to the nearest end.
  int32_t count = ini.ReadInteger(kDesktop, "COUNT", 2);
  data.DesktopCount = count < 1 ? 1 : count > kMaxDesktops ? kMaxDesktops : count;

  for (int n = 1; n <= kButtonCount; ++n) ReadButton(ini, data, form.Button(n), n);

  for (int d = 1; d <= kMaxDesktops; ++d) data.Wallpapers[d] = ini.ReadString(kWallpaper, Numbered("FILE", d), "");
  for (int d = 1; d <= kMaxDesktops; ++d)
    data.PanelColors[d] = ini.ReadInteger(kPanelColor, Numbered("COLOR", d), kDefaultPanelColor);
}

void WriteSettings(SharedState& data, IniFile& ini) {
  if (data.Form == nullptr) return;
  TForm1& form = *data.Form;
  TEdgeForm& edge = form.Edge();

  ini.WriteInteger(kForm, "EDGE", form.DockEdge());
  ini.WriteInteger(kForm, "SIZE", edge.Size());
  ini.WriteBool(kForm, "SMOOTH", edge.Smooth());
  ini.WriteBool(kForm, "ONTOP", form.StayOnTop());
  ini.WriteBool(kForm, "HIDE", edge.AutoFull());
  ini.WriteInteger(kForm, "COLOR", form.Color());

  ini.WriteInteger(kDesktop, "COUNT", data.DesktopCount);

  for (int n = 1; n <= kButtonCount; ++n) WriteButton(ini, form.Button(n), n);

  for (int d = 1; d <= kMaxDesktops; ++d) ini.WriteString(kWallpaper, Numbered("FILE", d), data.Wallpapers[d]);
  for (int d = 1; d <= kMaxDesktops; ++d) ini.WriteInteger(kPanelColor, Numbered("COLOR", d), data.PanelColors[d]);
}

void LoadSettings(SharedState& data, FileSystem& files) {
  if (data.Form == nullptr) return;
  FreezeScope freeze(data.Form->Edge());  // the panel expands and stays so meanwhile
  std::optional<SettingsText> file = ReadSettingsText(data, files);
  data.SettingsUnread = !file;
  ReadSettings(ParseSettings(file ? *file : SettingsText{}, files), data);
}

bool SaveSettings(SharedState& data, FileSystem& files, Shell& shell) {
  if (data.Form == nullptr) return false;
  // Freezing expands a collapsed panel first, so SIZE records the expanded thickness.
  FreezeScope freeze(data.Form->Edge());

  // The whole file is composed in memory and replaced in one step, so a failure
  // anywhere leaves the old file as it was rather than half written.
  bool missing = false;
  std::optional<SettingsText> file = ReadSettingsText(data, files, &missing);
  // A file that could not be read at start-up holds settings the pager never
  // saw; saving the defaults it runs on would overwrite them. The user hears of it
  // at the first such save, and why; later ones are refused without a word, so
  // the box does not come back at every click on the panel.
  if (data.SettingsUnread && !missing) {
    if (!data.SettingsUnreadReported)
      shell.ShowError("Unable to write to " + data.SettingsPath +
                      "\nThe file was left as it is because it could not be read when Korvi8 started.");
    data.SettingsUnreadReported = true;
    return false;
  }
  bool ok = false;
  if (file) {
    IniFile ini = ParseSettings(*file, files);
    WriteSettings(data, ini);
    const std::string updated = ini.Text();
    // Nothing changed: no write. Otherwise back in the file's own encoding.
    ok = updated == file->text || files.ReplaceFileContent(data.SettingsPath, EncodeFromUtf8(updated, file->encoding));
    if (ok) data.SettingsUnread = false;
  }
  if (!ok) shell.ShowError("Unable to write to " + data.SettingsPath);
  return ok;
}

}  // namespace korvi
