#include "help/ReaderView_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "winkit/Paint_win.h"
#include "platform/WideText_win.h"

namespace korvi {

namespace {

constexpr COLORREF kText = RGB(0x20, 0x20, 0x20), kLink = RGB(0x00, 0x44, 0xAA), kRule = RGB(0xC8, 0xC8, 0xC8),
                   kBanner = RGB(0xFF, 0xF6, 0xD5), kBannerEdge = RGB(0xE0, 0xD0, 0x90);

std::wstring Wide(std::string_view utf8) { return Widen(utf8); }

// Point sizes of body text (level 0) and headings 1..6.
constexpr int kPointSize[] = {10, 18, 14, 12, 10, 10, 10};

}  // namespace

ReaderView::ReaderView(ReaderBrowser& browser) : browser_(browser) {
  browser_.OnPageChanged = [this] { PageChanged(); };
}

ReaderView::~ReaderView() {
  browser_.OnPageChanged = nullptr;
  if (hwnd_) ::DestroyWindow(hwnd_);
  if (measureDc_) ::DeleteDC(measureDc_);
  for (auto& [key, font] : fonts_) ::DeleteObject(font);
}

bool ReaderView::Create(HINSTANCE instance, HWND parent) {
  RegisterViewClass<ReaderView>(instance, kClassName, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  measureDc_ = ::CreateCompatibleDC(nullptr);
  hwnd_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, Widen(kClassName).c_str(), L"", WS_CHILD | WS_VSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS, 0,
                            0, 100, 100, parent, nullptr, instance, this);
  bannerHeight_ = LineHeight({}) + 8;
  return hwnd_ != nullptr;
}

HFONT ReaderView::Font(ReaderFont font, bool link) {
  const int level = std::clamp<int>(font.Level, 0, 6);
  const int key = (level << 4) | (font.Style & 7) | (link ? 8 : 0);
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;
  const int height = -::MulDiv(kPointSize[level], ::GetDeviceCaps(measureDc_, LOGPIXELSY), 72);
  const bool bold = level > 0 || (font.Style & run_style::Bold);
  const bool mono = font.Style & run_style::Mono;
  HFONT f = ::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, (font.Style & run_style::Italic) != 0, link,
                          FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                          mono ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS, mono ? L"Courier New" : L"Arial");
  fonts_[key] = f;
  return f;
}

int32_t ReaderView::TextWidth(std::string_view utf8, ReaderFont font) {
  const std::wstring w = Wide(utf8);
  HGDIOBJ old = ::SelectObject(measureDc_, Font(font, false));
  SIZE size{};
  ::GetTextExtentPoint32W(measureDc_, w.c_str(), static_cast<int>(w.size()), &size);
  ::SelectObject(measureDc_, old);
  return size.cx;
}

int32_t ReaderView::LineHeight(ReaderFont font) {
  const int key = (std::clamp<int>(font.Level, 0, 6) << 4) | (font.Style & 7);
  if (auto it = heights_.find(key); it != heights_.end()) return it->second;
  HGDIOBJ old = ::SelectObject(measureDc_, Font(font, false));
  TEXTMETRICW tm{};
  ::GetTextMetricsW(measureDc_, &tm);
  ::SelectObject(measureDc_, old);
  const int32_t h = tm.tmHeight + tm.tmExternalLeading + 2;
  heights_[key] = h;
  return h;
}

void ReaderView::PageChanged() {
  const std::string name = browser_.File() + (browser_.Anchor().empty() ? "" : "#" + browser_.Anchor());
  SetWindowTextUtf8(hwnd_, name);
  Relayout();
  int32_t top = 0;
  if (!browser_.Anchor().empty()) {
    const auto& anchors = browser_.Document().Anchors;
    if (auto it = anchors.find(browser_.Anchor()); it != anchors.end() && it->second < page_.BlockTops.size())
      top = page_.BlockTops[it->second] - 4;
  }
  ScrollTo(top);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void ReaderView::Relayout() {
  RECT rc;
  ::GetClientRect(hwnd_, &rc);
  width_ = rc.right;
  page_ = LayOutPage(browser_.Document(), width_, *this);
  ScrollTo(scroll_);
}

void ReaderView::ScrollTo(int32_t top) {
  RECT rc;
  ::GetClientRect(hwnd_, &rc);
  const int32_t view = std::max<int32_t>(rc.bottom - bannerHeight_, 1);
  scroll_ = std::clamp<int32_t>(top, 0, std::max<int32_t>(page_.Height - view, 0));
  SCROLLINFO si{sizeof si, SIF_ALL | SIF_DISABLENOSCROLL, 0, std::max<int32_t>(page_.Height - 1, 0),
                static_cast<UINT>(view), scroll_, 0};
  ::SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
}

RECT ReaderView::BannerLinkRect() {
  RECT rc;
  ::GetClientRect(hwnd_, &rc);
  const int32_t w = TextWidth(kBannerLink, {});
  return RECT{std::max<LONG>(rc.right - w - 8, 0), 0, rc.right, bannerHeight_};
}

void ReaderView::Paint(HDC dc, const RECT& dirty) {
  RECT rc;
  ::GetClientRect(hwnd_, &rc);
  ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = ::SelectObject(dc, Font({}, false));
  HBRUSH rule = ::CreateSolidBrush(kRule);
  const int32_t top = bannerHeight_ - scroll_;
  for (const ReaderPiece& p : page_.Pieces) {
    const int32_t y = top + p.Y;
    if (y + p.Height < dirty.top || y > dirty.bottom) continue;
    if (p.Rule) {
      RECT r{p.X, y, p.X + p.Width, y + std::max(p.Height, 1)};
      ::FillRect(dc, &r, rule);
      continue;
    }
    ::SelectObject(dc, Font(p.Font, !p.Href.empty()));
    ::SetTextColor(dc, p.Href.empty() ? kText : kLink);
    const std::wstring w = Wide(p.Text);
    ::TextOutW(dc, p.X, y, w.c_str(), static_cast<int>(w.size()));
  }
  // The banner stays at the top while the page scrolls under it.
  RECT banner{0, 0, rc.right, bannerHeight_};
  HBRUSH back = ::CreateSolidBrush(kBanner);
  ::FillRect(dc, &banner, back);
  RECT edge{0, bannerHeight_ - 1, rc.right, bannerHeight_};
  HBRUSH edgeBrush = ::CreateSolidBrush(kBannerEdge);
  ::FillRect(dc, &edge, edgeBrush);
  ::SelectObject(dc, Font({}, false));
  ::SetTextColor(dc, kText);
  const int32_t ty = (bannerHeight_ - LineHeight({})) / 2 + 1;
  const std::wstring bannerText = Wide(kBannerText), bannerLink = Wide(kBannerLink);
  ::TextOutW(dc, 8, ty, bannerText.c_str(), static_cast<int>(bannerText.size()));
  const RECT link = BannerLinkRect();
  ::SelectObject(dc, Font({}, true));
  ::SetTextColor(dc, kLink);
  ::TextOutW(dc, link.left, ty, bannerLink.c_str(), static_cast<int>(bannerLink.size()));
  ::SelectObject(dc, oldFont);
  ::DeleteObject(back);
  ::DeleteObject(edgeBrush);
  ::DeleteObject(rule);
}

std::string ReaderView::LinkAt(int x, int y) const {
  if (y < bannerHeight_) return {};
  const int32_t py = y - bannerHeight_ + scroll_;
  for (const ReaderPiece& p : page_.Pieces)
    if (!p.Href.empty() && x >= p.X && x < p.X + p.Width && py >= p.Y && py < p.Y + p.Height) return p.Href;
  return {};
}

void ReaderView::Click(int x, int y) {
  POINT pt{x, y};
  const RECT link = BannerLinkRect();
  if (::PtInRect(&link, pt)) {
    if (browser_.MayOpenInBrowser())
      ::ShellExecuteW(hwnd_, L"open", Wide(browser_.File()).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return;
  }
  const std::string href = LinkAt(x, y);
  if (!href.empty()) browser_.FollowLink(href);
}

LRESULT ReaderView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      // Drawn off screen first, so scrolling does not flicker.
      PaintWindowBuffered(hwnd_, [this](HDC dc, const RECT& dirty) { Paint(dc, dirty); });
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      if (LOWORD(lp) != width_) Relayout();
      else ScrollTo(scroll_);
      ::InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_VSCROLL: {
      RECT rc;
      ::GetClientRect(hwnd_, &rc);
      const int32_t pageStep = std::max<int32_t>(rc.bottom - bannerHeight_ - LineHeight({}), 1);
      int32_t top = scroll_;
      switch (LOWORD(wp)) {
        case SB_LINEUP: top -= LineHeight({}); break;
        case SB_LINEDOWN: top += LineHeight({}); break;
        case SB_PAGEUP: top -= pageStep; break;
        case SB_PAGEDOWN: top += pageStep; break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = page_.Height; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
          SCROLLINFO si{};
          si.cbSize = sizeof si;
          si.fMask = SIF_TRACKPOS;
          ::GetScrollInfo(hwnd_, SB_VERT, &si);
          top = si.nTrackPos;
          break;
        }
      }
      ScrollTo(top);
      ::InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      const int delta = GET_WHEEL_DELTA_WPARAM(wp);
      ScrollTo(scroll_ - delta * 3 * LineHeight({}) / WHEEL_DELTA);
      ::InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    }
    case WM_KEYDOWN: {
      const WORD bar = wp == VK_UP ? SB_LINEUP : wp == VK_DOWN ? SB_LINEDOWN : wp == VK_PRIOR ? SB_PAGEUP
                       : wp == VK_NEXT ? SB_PAGEDOWN : wp == VK_HOME ? SB_TOP : wp == VK_END ? SB_BOTTOM : 0xFFFF;
      if (bar != 0xFFFF) Handle(WM_VSCROLL, bar, 0);
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(hwnd_, &pt);
        const RECT link = BannerLinkRect();
        const bool onLink = ::PtInRect(&link, pt) || !LinkAt(pt.x, pt.y).empty();
        ::SetCursor(::LoadCursor(nullptr, onLink ? IDC_HAND : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      ::SetFocus(hwnd_);
      return 0;
    case WM_LBUTTONUP:
      Click(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace korvi
