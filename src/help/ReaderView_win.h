#pragma once
#include <windows.h>

#include "winkit/WindowProc_win.h"

#include <map>
#include <string>

#include "help/ReaderBrowser.h"
#include "help/ReaderLayout.h"

namespace korvi {

// The built-in reader's window: a thin banner saying that the page is shown by the
// reader (with a link that opens it in the system's browser), then the page, laid
// out by LayOutPage and scrolled vertically. Links go to ReaderBrowser::Navigate.
// Its window text is the page on show ("path#anchor"), for screen readers and tests.
class ReaderView : public ViewWindow, public ReaderMeasure {
 public:
  static constexpr const char* kClassName = "Korvi8Reader";
  static constexpr const char* kBannerText = "Shown by Korvi8's built-in reader: no HTML engine is available here.";
  static constexpr const char* kBannerLink = "Open in your web browser";

  explicit ReaderView(ReaderBrowser& browser);
  ~ReaderView() override;
  bool Create(HINSTANCE instance, HWND parent);
  // The link that the page shows at a client point; empty when there is none.
  std::string LinkAt(int x, int y) const;
  int32_t ScrollTop() const { return scroll_; }
  const ReaderPage& Page() const { return page_; }
  int32_t BannerHeight() const { return bannerHeight_; }

  // ReaderMeasure, on the window's own fonts.
  int32_t TextWidth(std::string_view utf8, ReaderFont font) override;
  int32_t LineHeight(ReaderFont font) override;

 private:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  HFONT Font(ReaderFont font, bool link);
  void PageChanged();
  void Relayout();
  void ScrollTo(int32_t top);
  void Paint(HDC dc, const RECT& dirty);
  RECT BannerLinkRect();
  void Click(int x, int y);

  ReaderBrowser& browser_;
  HDC measureDc_ = nullptr;
  std::map<int, HFONT> fonts_;
  std::map<int, int32_t> heights_;
  ReaderPage page_;
  int32_t width_ = 0, scroll_ = 0, bannerHeight_ = 22;
};

}  // namespace korvi
