#include "help/WebBrowserHost_win.h"
#include "platform/WideText_win.h"

#include <exdispid.h>
#include <mshtmdid.h>
#include <ocidl.h>

namespace korvi {

namespace {

// The HTML document object of the platform's HTML engine (mshtml).
const CLSID kHtmlDocument = {0x25336920, 0x03f9, 0x11cf, {0x8f, 0xd0, 0x00, 0xaa, 0x00, 0x68, 0x6f, 0x13}};

BSTR ToBstr(const std::string& s) {
  const std::wstring wide = Widen(s);
  return ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace

// The container side of the control: client site, in-place site and frame, and the
// event sink, in one object (the control keeps it alive through AddRef).
class WebBrowserHost::Site : public IOleClientSite,
                             public IOleInPlaceSite,
                             public IOleInPlaceFrame,
                             public IDispatch {
 public:
  explicit Site(WebBrowserHost& host) : host_(host) {}
  virtual ~Site() = default;
  void Detach() { attached_ = false; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) *out = static_cast<IOleInPlaceFrame*>(this);
    else if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) *out = static_cast<IDispatch*>(this);
    else return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG n = ::InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** c) override {
    if (c) *c = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (shared by the in-place site and the frame)
  STDMETHODIMP GetWindow(HWND* hwnd) override {
    if (!hwnd) return E_POINTER;
    *hwnd = host_.parent_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    if (frame) {
      *frame = static_cast<IOleInPlaceFrame*>(this);
      AddRef();
    }
    if (doc) *doc = nullptr;
    if (pos) *pos = host_.bounds_;
    if (clip) *clip = host_.bounds_;
    if (info) {
      info->fMDIApp = FALSE;
      info->hwndFrame = host_.parent_;
      info->haccel = nullptr;
      info->cAccelEntries = 0;
    }
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus or toolbars of the control.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }  // the status line is ours alone
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IDispatch: DWebBrowserEvents2
  STDMETHODIMP GetTypeInfoCount(UINT* n) override {
    if (n) *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT*) override {
    if (AnswerSite(id, params, result)) return S_OK;
    if (!attached_) return S_OK;
    if (id == DISPID_COMMANDSTATECHANGE && params && params->cArgs >= 2) {
      // Arguments arrive last first: [1] Command, [0] Enable.
      VARIANT command, enable;
      ::VariantInit(&command);
      ::VariantInit(&enable);
      if (SUCCEEDED(::VariantChangeType(&command, &params->rgvarg[1], 0, VT_I4)) &&
          SUCCEEDED(::VariantChangeType(&enable, &params->rgvarg[0], 0, VT_BOOL)) && host_.listener_)
        host_.listener_->CommandStateChange(command.lVal, enable.boolVal != VARIANT_FALSE);
      ::VariantClear(&command);
      ::VariantClear(&enable);
    } else if (id == DISPID_DOCUMENTCOMPLETE && host_.OnDocumentComplete) {
      host_.OnDocumentComplete();
    }
    return S_OK;
  }

 private:
  WebBrowserHost& host_;
  LONG refs_ = 1;
  bool attached_ = true;
};

WebBrowserHost::WebBrowserHost(CommandStateListener* listener) : listener_(listener) {}

bool WebBrowserHost::AnswerSite(DISPID id, DISPPARAMS* params, VARIANT* result) {
  if (id == DISPID_AMBIENT_DLCONTROL) {
    if (!result) return true;
    ::VariantInit(result);
    result->vt = VT_I4;
    result->lVal = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_DLACTIVEXCTLS |
                   DLCTL_NO_JAVA | DLCTL_NO_BEHAVIORS;
    return true;
  }
  if (id == DISPID_FILEDOWNLOAD) {
    // Arguments arrive last first: [1] ActiveDocument, [0] Cancel (by reference);
    // an older control passes Cancel alone, and then nothing is its own document.
    if (!params || params->cArgs < 1) return true;
    VARIANT& cancel = params->rgvarg[0];
    bool active = false;
    if (params->cArgs >= 2 && params->rgvarg[1].vt == VT_BOOL) active = params->rgvarg[1].boolVal != VARIANT_FALSE;
    if (cancel.vt == (VT_BYREF | VT_BOOL) && cancel.pboolVal) *cancel.pboolVal = active ? VARIANT_FALSE : VARIANT_TRUE;
    return true;
  }
  return false;
}

WebBrowserHost::~WebBrowserHost() { Destroy(); }

bool WebBrowserHost::EngineAvailable() {
  IUnknown* doc = nullptr;
  if (FAILED(::CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&doc))) ||
      !doc)
    return false;
  doc->Release();
  return true;
}

bool WebBrowserHost::Create(HWND parent, const RECT& bounds) {
  parent_ = parent;
  bounds_ = bounds;
  if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object_))) ||
      !object_) {
    object_ = nullptr;
    return false;
  }
  site_ = new Site(*this);
  if (FAILED(object_->SetClientSite(static_cast<IOleClientSite*>(site_)))) {
    Destroy();
    return false;
  }
  object_->SetHostNames(L"Korvi8", nullptr);
  ::OleSetContainedObject(object_, TRUE);
  if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_), 0, parent_,
                             &bounds_)) ||
      FAILED(object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_))) || !browser_) {
    Destroy();
    return false;
  }
  IConnectionPointContainer* points = nullptr;
  if (SUCCEEDED(object_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points))) &&
      points) {
    if (SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &events_)) && events_)
      events_->Advise(static_cast<IDispatch*>(site_), &cookie_);
    points->Release();
  }
  return true;
}

void WebBrowserHost::Destroy() {
  if (events_) {
    if (cookie_) events_->Unadvise(cookie_);
    events_->Release();
    events_ = nullptr;
  }
  if (browser_) {
    browser_->Release();
    browser_ = nullptr;
  }
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_->Release();
    object_ = nullptr;
  }
  if (site_) {
    site_->Detach();
    site_->Release();
    site_ = nullptr;
  }
}

void WebBrowserHost::SetBounds(const RECT& bounds) {
  bounds_ = bounds;
  IOleInPlaceObject* inPlace = nullptr;
  if (object_ && SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))) &&
      inPlace) {
    inPlace->SetObjectRects(&bounds_, &bounds_);
    inPlace->Release();
  }
}

void WebBrowserHost::SetVisible(bool visible) {
  if (browser_) browser_->put_Visible(visible ? VARIANT_TRUE : VARIANT_FALSE);
  IOleWindow* window = nullptr;
  HWND hwnd = nullptr;
  if (object_ && SUCCEEDED(object_->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window))) && window) {
    window->GetWindow(&hwnd);
    window->Release();
  }
  if (hwnd) ::ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool WebBrowserHost::HasRenderedDocument() {
  if (!browser_) return false;
  IDispatch* doc = nullptr;
  if (FAILED(browser_->get_Document(&doc)) || !doc) return false;
  bool body = false;
  OLECHAR name[] = L"body";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  if (SUCCEEDED(doc->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    ::VariantInit(&result);
    if (SUCCEEDED(doc->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                              nullptr)))
      body = result.vt == VT_DISPATCH && result.pdispVal != nullptr;
    ::VariantClear(&result);
  }
  doc->Release();
  return body;
}

void WebBrowserHost::Navigate(const std::string& url) {
  if (!browser_) return;
  BSTR target = ToBstr(url);
  VARIANT empty;
  ::VariantInit(&empty);
  browser_->Navigate(target, &empty, &empty, &empty, &empty);  // a failure is the control's to show
  ::SysFreeString(target);
}

void WebBrowserHost::GoBack() {
  if (browser_) browser_->GoBack();
}

void WebBrowserHost::GoForward() {
  if (browser_) browser_->GoForward();
}

}  // namespace korvi
