#pragma once
#include <windows.h>

#include <exdisp.h>
#include <ole2.h>

#include <functional>
#include <string>

#include "help/HtmlView.h"

namespace korvi {

// The platform's WebBrowser control (IWebBrowser2) in a small OLE container of our
// own: a client site that activates it in place inside a parent window, and a
// DWebBrowserEvents2 sink that passes CommandStateChange on to the listener and
// tells when a page has loaded.
class WebBrowserHost : public HtmlView {
 public:
  explicit WebBrowserHost(CommandStateListener* listener);
  ~WebBrowserHost() override;
  WebBrowserHost(const WebBrowserHost&) = delete;
  WebBrowserHost& operator=(const WebBrowserHost&) = delete;

  // Whether an HTML engine is installed at all (the WebBrowser control only hosts one).
  static bool EngineAvailable();
  // Creates the control inside `parent` at `bounds`; false when it cannot be created.
  bool Create(HWND parent, const RECT& bounds);
  void SetBounds(const RECT& bounds);
  void SetVisible(bool visible);
  // True when the control holds a document with a body: it can show pages.
  bool HasRenderedDocument();
  // Runs when the control reports a page complete.
  std::function<void()> OnDocumentComplete;

  // What the site answers the control besides its events: the download options it
  // asks for as an ambient property (pictures, sounds and videos, but no ActiveX
  // control is run or fetched, no Java, no behaviours), and a file download, which
  // is cancelled unless it is the document the control itself shows. True when
  // `id` was one of these and was answered.
  static bool AnswerSite(DISPID id, DISPPARAMS* params, VARIANT* result);

  // HtmlView
  void Navigate(const std::string& url) override;
  void GoBack() override;
  void GoForward() override;

 private:
  class Site;
  void Destroy();

  CommandStateListener* listener_;
  Site* site_ = nullptr;
  IOleObject* object_ = nullptr;
  IWebBrowser2* browser_ = nullptr;
  IConnectionPoint* events_ = nullptr;
  DWORD cookie_ = 0;
  HWND parent_ = nullptr;
  RECT bounds_{};
};

}  // namespace korvi
