#include "buttons/DDConfig_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "buttons/ButtonDraw_win.h"
#include "winkit/CommonDialogs_win.h"
#include "winkit/DibPicture_win.h"
#include "winkit/DialogKit_win.h"
#include "winkit/FileOpen_win.h"
#include "winkit/Paint_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {

using C = ConfigControl;

enum class Kind { Check, Radio, Edit, Spin, Text };

// One field control: its kind, its label (none for check boxes and radio buttons,
// which carry their own text), where it goes (design units) and an optional "..." button.
struct FieldSpec {
  C control;
  Kind kind;
  const char* text;
  int labelX, x, y, w;
  int button;  // 0 or the ID of the "..." button beside it
};

constexpr int kLabelX = 252, kFieldX = 322, kRightLabelX = 440, kRightFieldX = 500;

// Top to bottom: the creation order is the Tab order.
const FieldSpec kFields[] = {
    {C::cbEnabled, Kind::Check, "&Enable", 0, 252, 60, 120, 0},
    {C::llID, Kind::Text, "ID", kRightLabelX, kRightFieldX, 60, 60, 0},
    {C::ssLeft, Kind::Spin, "&Left", kLabelX, kFieldX, 116, 80, 0},
    {C::ssTop, Kind::Spin, "T&op", kRightLabelX, kRightFieldX, 116, 80, 0},
    {C::ssWidth, Kind::Spin, "&Width", kLabelX, kFieldX, 146, 80, 0},
    {C::ssHeight, Kind::Spin, "&Height", kRightLabelX, kRightFieldX, 146, 80, 0},
    {C::ssGroup, Kind::Spin, "&Group", kLabelX, kFieldX, 204, 80, 0},
    {C::cbAllUp, Kind::Check, "Allow All &Up", 0, kRightLabelX, 204, 160, 0},
    {C::eeCaption, Kind::Edit, "&Caption", kLabelX, kFieldX, 258, 290, 0},
    {C::llFont, Kind::Text, "&Font", kLabelX, kFieldX, 286, 256, ConfigDialogWindow::kFont},
    {C::eeHint, Kind::Edit, "Hi&nt", kLabelX, kFieldX, 314, 290, 0},
    {C::llImage, Kind::Text, "&Image", kLabelX, kFieldX, 342, 256, ConfigDialogWindow::kImage},
    {C::ssIndex, Kind::Spin, "Inde&x", kLabelX, kFieldX, 370, 80, 0},
    {C::rLeft, Kind::Radio, "Lef&t", 0, kFieldX, 400, 70, 0},
    {C::rRight, Kind::Radio, "&Right", 0, 394, 400, 70, 0},
    {C::rTop, Kind::Radio, "To&p", 0, 466, 400, 70, 0},
    {C::rBottom, Kind::Radio, "&Bottom", 0, 538, 400, 76, 0},
    {C::cbFlat, Kind::Check, "Fl&at Button", 0, kFieldX, 428, 150, 0},
    {C::eeProgram, Kind::Edit, "Progra&m", kLabelX, kFieldX, 490, 256, ConfigDialogWindow::kProgram},
    {C::eeStart, Kind::Edit, "&Directory", kLabelX, kFieldX, 518, 290, 0},
    {C::eeArgs, Kind::Edit, "Argument&s", kLabelX, kFieldX, 546, 290, 0},
};

struct Box {
  const char* title;
  int y, h;
};
const Box kBoxes[] = {{"In Use", 40, 50}, {"Position", 96, 82}, {"Group", 184, 50}, {"Appearance", 240, 218},
                      {"Program", 464, 114}};

constexpr int kBarTop = 600;  // the bottom bar: from here to the bottom of the client area

const FieldSpec* FieldOf(C c) {
  for (const FieldSpec& f : kFields)
    if (f.control == c) return &f;
  return nullptr;
}

}  // namespace

ConfigDialogWindow::~ConfigDialogWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  for (HFONT f : {font_, bold_, heading_, fixed_})
    if (f) ::DeleteObject(f);
}

bool ConfigDialogWindow::Create(HINSTANCE instance, HWND owner) {
  RegisterViewClass<ConfigDialogWindow>(instance, kClassName);
  font_ = CreateDialogFont();
  bold_ = CreateDialogFont(FW_BOLD);
  heading_ = CreateDialogFont(FW_BOLD, 12);
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(10, DialogScale(96), 72);
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynW(lf.lfFaceName, L"Courier New", LF_FACESIZE);
  fixed_ = ::CreateFontIndirectW(&lf);
  hwnd_ = CreateDialogWindow(kClassName, "Button Setup", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                             TConfigDialog::ClientWidth, TConfigDialog::ClientHeight, owner, instance, this);
  if (!hwnd_) return false;
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  bar_ = {0, DialogScale(kBarTop), client.right, client.bottom};
  CreateControls(instance);
  form_.AttachHost(this);
  form_.FormCreate();
  for (int c = 0; c < kConfigControlCount; ++c) ControlChanged(static_cast<C>(c));
  return true;
}

void ConfigDialogWindow::CreateControls(HINSTANCE) {
  HWND heading = CreateControl(hwnd_, "STATIC", "Button Configuration", SS_CENTER | SS_NOPREFIX, 0, 10, 632, 24,
                               kHeading, heading_);
  (void)heading;
  HWND list = CreateControl(hwnd_, "LISTBOX", "",
                            WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                            8, 44, 224, 548, kList, fixed_);
  (void)list;
  for (const Box& b : kBoxes) CreateControl(hwnd_, "BUTTON", b.title, BS_GROUPBOX, 240, b.y, 384, b.h, 0, font_);
  CreateControl(hwnd_, "STATIC", "Layout", SS_CENTERIMAGE, kLabelX, 400, 56, 20, 0, font_);
  for (const FieldSpec& f : kFields) {
    const int id = FieldId(f.control);
    switch (f.kind) {
      case Kind::Check: {
        // A check box also ends the radio group before it.
        HWND h = CreateControl(hwnd_, "BUTTON", f.text, WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, f.x, f.y, f.w, 20, id,
                               f.control == C::cbEnabled ? bold_ : font_);
        UseTextColourLook(h);
        break;
      }
      case Kind::Radio: {
        const DWORD first = f.control == C::rLeft ? WS_GROUP | WS_TABSTOP : 0;
        UseTextColourLook(CreateControl(hwnd_, "BUTTON", f.text, first | BS_AUTORADIOBUTTON, f.x, f.y, f.w, 20, id, font_));
        break;
      }
      case Kind::Edit:
      case Kind::Spin:
      case Kind::Text: {
        CreateControl(hwnd_, "STATIC", f.text, SS_CENTERIMAGE, f.labelX, f.y,
                      f.x - f.labelX - 4, 21, 0, font_);
        if (f.kind == Kind::Text) {
          CreateControl(hwnd_, "STATIC", "", SS_SUNKEN | SS_NOPREFIX | SS_CENTERIMAGE | SS_PATHELLIPSIS, f.x, f.y, f.w,
                        21, id, font_);
        } else {
          HWND edit = CreateControl(hwnd_, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, f.x, f.y, f.w, 21, id, font_,
                                    WS_EX_CLIENTEDGE);
          if (f.kind == Kind::Spin) {
            HWND arrows = CreateControl(hwnd_, UPDOWN_CLASSA, "", UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0,
                                        0, 0, kFirstArrows + static_cast<int>(f.control), nullptr);
            ::SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
            const ControlState& s = form_.Control(f.control);
            ::SendMessageW(arrows, UDM_SETRANGE32, static_cast<WPARAM>(s.MinValue), s.MaxValue);
          }
        }
        if (f.button)
          CreateControl(hwnd_, "BUTTON", "...", WS_TABSTOP | BS_PUSHBUTTON, f.x + f.w + 4, f.y, 30, 21, f.button, font_);
        break;
      }
    }
  }
  CreateControl(hwnd_, "STATIC", "", SS_ETCHEDHORZ, 0, kBarTop - 2, 632, 2, 0, nullptr);
  CreateControl(hwnd_, "BUTTON", "Close", WS_TABSTOP | BS_PUSHBUTTON, 8, kBarTop + 14, 88, 28, kClose, font_);
  CreateControl(hwnd_, "BUTTON", "Apply", WS_TABSTOP | BS_DEFPUSHBUTTON, 536, kBarTop + 14, 88, 28, kApply, font_);
}

// --- The logic's requests -----------------------------------------------------------------------

void ConfigDialogWindow::ShowModal() {
  closing_ = false;
  RunModal(hwnd_, closing_, Item(kList));
}

void ConfigDialogWindow::ControlChanged(ConfigControl c) {
  HWND h = Field(c);
  if (!h) return;
  updating_ = true;
  const ControlState& s = form_.Control(c);
  const FieldSpec* f = FieldOf(c);
  if (f && (f->kind == Kind::Check || f->kind == Kind::Radio)) {
    if ((::SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED) != s.Checked)
      ::SendMessageW(h, BM_SETCHECK, s.Checked ? BST_CHECKED : BST_UNCHECKED, 0);
  } else {
    SetTextIfChanged(h, s.Text);
  }
  updating_ = false;
  ::InvalidateRect(h, nullptr, TRUE);
}

void ConfigDialogWindow::ListChanged() {
  HWND list = Item(kList);
  if (!list) return;
  const auto& items = form_.ListItems();
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  const LRESULT top = ::SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  bool same = ::SendMessageW(list, LB_GETCOUNT, 0, 0) == static_cast<LRESULT>(items.size());
  for (size_t i = 0; same && i < items.size(); ++i) {
    wchar_t text[1024] = {};
    if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) >= static_cast<LRESULT>(std::size(text))) {
      same = false;
      break;
    }
    ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    same = items[i] == Narrow(text);
  }
  if (!same) {
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& s : items)
      ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(s).c_str()));
  }
  for (int n = 1; n <= kButtonCount; ++n)
    ::SendMessageW(list, LB_SETSEL, form_.ListSelected(n) ? TRUE : FALSE, n - 1);
  if (form_.ListCurrent() > 0) {
    ::SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(form_.ListCurrent() - 1), FALSE);
  } else {
    ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top > 0 ? top : 0), 0);
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
}

void ConfigDialogWindow::SampleChanged() { ::InvalidateRect(hwnd_, &bar_, TRUE); }

Point ConfigDialogWindow::BottomBarSize() { return {bar_.right - bar_.left, bar_.bottom - bar_.top}; }

int32_t ConfigDialogWindow::SampleRoom() {
  // The bar's buttons stand symmetrically at its ends: the room is between them, less
  // the margin each keeps from the bar's edge.
  RECT close{}, apply{};
  ::GetWindowRect(Item(kClose), &close);
  ::GetWindowRect(Item(kApply), &apply);
  return apply.left - close.right - 2 * DialogScale(8);
}

ConfirmAnswer ConfigDialogWindow::Confirm(const std::string& text, bool withCancel) {
  const int a =
      ::MessageBoxW(hwnd_, Widen(text).c_str(), L"Confirm", MB_ICONQUESTION | (withCancel ? MB_YESNOCANCEL : MB_YESNO));
  return a == IDYES ? ConfirmAnswer::Yes : a == IDNO ? ConfirmAnswer::No : ConfirmAnswer::Cancel;
}

void ConfigDialogWindow::Refuse(ConfigControl control, const std::string& text) {
  ::MessageBoxW(hwnd_, Widen(text).c_str(), L"Button Setup", MB_ICONWARNING | MB_OK);
  HWND field = Field(control);
  if (!field || !::IsWindowEnabled(field)) return;
  ::SetFocus(field);
  if (::SendMessageW(field, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageW(field, EM_SETSEL, 0, -1);
}

bool ConfigDialogWindow::PickFont(TFont& font) {
  LOGFONTW lf{};
  HDC screen = ::GetDC(nullptr);
  lf.lfHeight = -::MulDiv(font.Size, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  ::ReleaseDC(nullptr, screen);
  lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Italic;
  lf.lfUnderline = font.Underline;
  lf.lfStrikeOut = font.StrikeOut;
  lf.lfCharSet = font.Charset;
  lstrcpynW(lf.lfFaceName, Widen(font.Name).c_str(), LF_FACESIZE);
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = hwnd_;
  cf.lpLogFont = &lf;
  cf.rgbColors = ColorRefOf(font.Color);
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
  if (!commondlg::ChooseFontW(&cf)) return false;
  font.Name = Narrow(lf.lfFaceName);
  font.Size = cf.iPointSize / 10;
  font.Bold = lf.lfWeight >= FW_BOLD;
  font.Italic = lf.lfItalic != 0;
  font.Underline = lf.lfUnderline != 0;
  font.StrikeOut = lf.lfStrikeOut != 0;
  font.Charset = lf.lfCharSet;
  // The colour stays a system colour while the user keeps what it shows.
  if (cf.rgbColors != ColorRefOf(font.Color)) font.Color = static_cast<TColor>(cf.rgbColors & 0x00FFFFFF);
  return true;
}

std::optional<std::string> ConfigDialogWindow::ChooseProgram(const std::string& folder) {
  return ChooseFileToOpen(hwnd_, "Executable Files|*.exe|Control Panels|*.cpl|All Files|*.*",
                          folder.empty() ? nullptr : folder.c_str());
}

// --- The user's doings ------------------------------------------------------------------------------

void ConfigDialogWindow::ListSelectionChanged() {
  HWND list = Item(kList);
  const LRESULT count = ::SendMessageW(list, LB_GETSELCOUNT, 0, 0);
  std::vector<int> items(count > 0 ? static_cast<size_t>(count) : 0);
  if (!items.empty())
    ::SendMessageW(list, LB_GETSELITEMS, items.size(), reinterpret_cast<LPARAM>(items.data()));
  std::vector<int32_t> selected;
  for (int i : items) selected.push_back(i + 1);
  const LRESULT caret = ::SendMessageW(list, LB_GETCARETINDEX, 0, 0);
  form_.ListSelectionChanged(selected, caret >= 0 ? static_cast<int32_t>(caret) + 1 : 0);
}

void ConfigDialogWindow::TryClose() {
  if (form_.FormCloseQuery()) closing_ = true;
}

void ConfigDialogWindow::Command(int id, int code, HWND from) {
  if (id >= kFirstField && id < kFirstField + kConfigControlCount) {
    const C c = static_cast<C>(id - kFirstField);
    const FieldSpec* f = FieldOf(c);
    if (!f || updating_) return;
    if (f->kind == Kind::Check && code == BN_CLICKED)
      form_.SetChecked(c, ::SendMessageW(from, BM_GETCHECK, 0, 0) == BST_CHECKED);
    else if (f->kind == Kind::Radio && code == BN_CLICKED)
      form_.SetChecked(c, true);
    else if ((f->kind == Kind::Edit || f->kind == Kind::Spin) && code == EN_CHANGE)
      form_.SetText(c, WindowTextOf(from));
    else if (f->kind == Kind::Spin && code == EN_KILLFOCUS)
      form_.SpinExit(c);
    return;
  }
  switch (id) {
    case kList:
      if (code == LBN_SELCHANGE) ListSelectionChanged();
      break;
    case kApply:
    case IDOK:  // Enter applies the edits: it never throws them away
      form_.bApplyClick();
      break;
    case kClose:
    case IDCANCEL:  // Escape, like "Close", asks first when something changed
      TryClose();
      break;
    case kFont:
      form_.bFontClick();
      break;
    case kImage:
      form_.bImageClick();
      break;
    case kProgram:
      form_.bProgramClick();
      break;
  }
}

void ConfigDialogWindow::PaintSample(HDC dc) {
  // The sample stands in the bottom bar; its coordinates are the bar's.
  const int saved = ::SaveDC(dc);
  ::SetViewportOrgEx(dc, bar_.left, bar_.top, nullptr);
  DrawExeButton(dc, form_.Sample(), false, false);
  ::RestoreDC(dc, saved);
}

LRESULT ConfigDialogWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      const int id = static_cast<int>(hdr->idFrom);
      if (hdr->code == UDN_DELTAPOS && id >= kFirstArrows && id < kFirstArrows + kConfigControlCount) {
        form_.SpinStep(static_cast<C>(id - kFirstArrows), reinterpret_cast<const NMUPDOWN*>(lp)->iDelta > 0 ? 1 : -1);
        return 1;  // the field's text is the logic's, not the arrows'
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wp);
      const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lp));
      const bool edit = msg == WM_CTLCOLOREDIT;
      if (id == kHeading) ::SetTextColor(dc, RGB(0, 0, 128));
      if (id >= kFirstField && id < kFirstField + kConfigControlCount)
        ::SetTextColor(dc, ColorRefOf(form_.Control(static_cast<C>(id - kFirstField)).TextColor));
      ::SetBkColor(dc, ::GetSysColor(edit ? COLOR_WINDOW : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(edit ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_PAINT:
      PaintWindow(hwnd_, [this](HDC dc, const RECT&) { PaintSample(dc); });
      return 0;
  }
  // The close box asks like "Close".
  return DialogDefaultProc(hwnd_, msg, wp, lp, kApply, [this] { TryClose(); });
}

}  // namespace korvi
