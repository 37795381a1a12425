// A stand-in for the WebBrowser control that records what the host asks of it
// and counts every reference it holds of the host's objects. It lets go of
// them the way the real control does: Close keeps the client site (to restore
// it on a later DoVerb) until SetClientSite(nullptr).
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

namespace qltest {

enum class Refuse { Nothing, ClientSite, WebBrowser, Silent, ConnectionPoint, Advise, Activate };

// Stand-ins end with the test, never through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The control's event source; a member of the control, counted, never deleted.
class FakeEventPoint final : public IConnectionPoint {
 public:
  LONG refs = 1;
  bool refuseAdvise = false;
  IDispatch* sink = nullptr;  // one reference while advised

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return ULONG(--refs); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    *iid = DIID_DWebBrowserEvents2;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* unknown, DWORD* cookie) override {
    if (refuseAdvise || sink || !unknown) return CONNECT_E_CANNOTCONNECT;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink)))) return CONNECT_E_CANNOTCONNECT;
    *cookie = 7;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    if (cookie != 7 || !sink) return CONNECT_E_NOCONNECTION;
    sink->Release();
    sink = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

class FakeBrowserControl final : public IOleObject,
                                 public IOleInPlaceObject,
                                 public IWebBrowser2,
                                 public IConnectionPointContainer {
 public:
  explicit FakeBrowserControl(Refuse refuse = Refuse::Nothing) : refuse_(refuse) {
    point.refuseAdvise = refuse == Refuse::Advise;
  }

  LONG refs = 1;  // the test's own reference
  FakeEventPoint point;
  VARIANT_BOOL silent = VARIANT_FALSE;
  std::vector<std::wstring> navigations;
  HWND view = nullptr;  // the control's window, a child of the in-place site's window
  RECT objectRect{};

  // References held of the host's objects right now.
  int HeldReferences() const {
    return (client_ ? 1 : 0) + (closedClient_ ? 1 : 0) + (inPlaceSite_ ? 1 : 0) + (frame_ ? 1 : 0) +
           (uiWindow_ ? 1 : 0) + (point.sink ? 1 : 0);
  }

  // --- IUnknown ---
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleObject))
      *out = static_cast<IOleObject*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject))
      *out = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
      *out = static_cast<IConnectionPointContainer*>(this);
    else if (refuse_ != Refuse::WebBrowser &&
             (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IWebBrowser) ||
              IsEqualIID(iid, IID_IWebBrowserApp) || IsEqualIID(iid, IID_IWebBrowser2)))
      *out = static_cast<IWebBrowser2*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return ULONG(--refs); }

  // --- IOleObject ---
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override {
    if (closedClient_) {
      closedClient_->Release();
      closedClient_ = nullptr;
    }
    if (site == client_) return S_OK;
    if (site && refuse_ == Refuse::ClientSite) return E_FAIL;
    ReleaseClient();
    if (site) {
      site->AddRef();
      client_ = site;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override {
    *site = client_;
    if (client_) client_->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Close(DWORD) override {
    if (inPlaceSite_) inPlaceSite_->OnInPlaceDeactivate();
    IOleClientSite* keep = client_;
    if (keep) keep->AddRef();
    SetClientSite(nullptr);
    closedClient_ = keep;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* active, LONG, HWND, LPCRECT) override {
    if (verb != OLEIVERB_INPLACEACTIVATE || refuse_ == Refuse::Activate || !active) return E_FAIL;
    if (inPlaceSite_) return S_OK;
    if (FAILED(active->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite_)))) return E_FAIL;
    if (inPlaceSite_->CanInPlaceActivate() != S_OK) return E_FAIL;
    inPlaceSite_->OnInPlaceActivate();
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof info;
    RECT clip{};
    if (FAILED(inPlaceSite_->GetWindowContext(&frame_, &uiWindow_, &objectRect, &clip, &info))) return E_FAIL;
    HWND parent = nullptr;
    inPlaceSite_->GetWindow(&parent);
    view = CreateWindowExW(0, L"STATIC", L"fake browser", WS_CHILD | WS_VISIBLE, objectRect.left, objectRect.top,
                           objectRect.right - objectRect.left, objectRect.bottom - objectRect.top, parent, nullptr,
                           nullptr, nullptr);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Update() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE IsUpToDate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override {
    *clsid = CLSID_WebBrowser;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override {
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // --- IOleInPlaceObject ---
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override {
    *out = view;
    return view ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override {
    if (inPlaceSite_) {
      inPlaceSite_->OnInPlaceDeactivate();
      inPlaceSite_->Release();
      inPlaceSite_ = nullptr;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE UIDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT) override {
    objectRect = *position;
    if (view)
      MoveWindow(view, position->left, position->top, position->right - position->left,
                 position->bottom - position->top, FALSE);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override { return E_NOTIMPL; }

  // --- IConnectionPointContainer ---
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    *out = nullptr;
    if (refuse_ == Refuse::ConnectionPoint || !IsEqualIID(iid, DIID_DWebBrowserEvents2)) return CONNECT_E_NOCONNECTION;
    point.AddRef();
    *out = &point;
    return S_OK;
  }

  // --- IWebBrowser2: what the host uses records, the rest is not there ---
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
    if (!url || url->vt != VT_BSTR) return E_INVALIDARG;
    navigations.emplace_back(url->bstrVal, SysStringLen(url->bstrVal));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Silent(VARIANT_BOOL value) override {
    if (refuse_ == Refuse::Silent) return E_FAIL;
    silent = value;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Silent(VARIANT_BOOL* value) override {
    *value = silent;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GoBack() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GoForward() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GoHome() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GoSearch() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Navigate(BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Refresh() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Refresh2(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Stop() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Application(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Parent(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Container(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TopLevelContainer(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Type(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Left(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Left(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Top(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Top(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Width(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Width(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Height(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Height(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LocationName(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Quit() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ClientToWindow(int*, int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PutProperty(BSTR, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetProperty(BSTR, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_FullName(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Path(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_StatusBar(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_StatusText(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_StatusText(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ToolBar(int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_ToolBar(int) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryStatusWB(OLECMDID, OLECMDF*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Offline(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Offline(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_RegisterAsBrowser(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_RegisterAsDropTarget(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_RegisterAsDropTarget(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TheaterMode(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_TheaterMode(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_AddressBar(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Resizable(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Resizable(VARIANT_BOOL) override { return E_NOTIMPL; }

 private:
  // As the real control on SetClientSite(nullptr): its window goes, and
  // with it every reference taken during the in-place activation.
  void ReleaseClient() {
    if (view) DestroyWindow(view);
    view = nullptr;
    for (IUnknown** held : {reinterpret_cast<IUnknown**>(&inPlaceSite_), reinterpret_cast<IUnknown**>(&frame_),
                            reinterpret_cast<IUnknown**>(&uiWindow_), reinterpret_cast<IUnknown**>(&client_)}) {
      if (*held) (*held)->Release();
      *held = nullptr;
    }
  }

  Refuse refuse_;
  IOleClientSite* client_ = nullptr;
  IOleClientSite* closedClient_ = nullptr;
  IOleInPlaceSite* inPlaceSite_ = nullptr;
  IOleInPlaceFrame* frame_ = nullptr;
  IOleInPlaceUIWindow* uiWindow_ = nullptr;
};

// A source that hands out one control, or fails like a missing engine.
class FakeControlSource final : public ql::BrowserControlSource {
 public:
  explicit FakeControlSource(FakeBrowserControl* control, HRESULT failure = S_OK)
      : control_(control), failure_(failure) {}
  int calls = 0;
  HRESULT CreateControl(IOleObject** out) override {
    ++calls;
    *out = nullptr;
    if (FAILED(failure_) || !control_) return failure_;
    control_->AddRef();
    *out = control_;
    return S_OK;
  }

 private:
  FakeBrowserControl* control_;
  HRESULT failure_;
};

#pragma GCC diagnostic pop

}  // namespace qltest
