// The COM objects that the web browser host hands to the control: the site
// (client site, in-place site and in-place frame in one object) and the sink
// of its DWebBrowserEvents2. Each starts with one reference, held by the host.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ole2.h>
#include <oleidl.h>

#include "platform/com_object_win.h"
#include "support/web_browser_host_win.h"

namespace ql {

// Counts the objects below that are alive (WebBrowserHostObjectsAlive).
void CountHostObject(long delta);

// The window questions of the in-place site and of the frame are answered by
// the in-place site and the frame.
class BrowserSite final : public ComObject<BrowserSite, IOleClientSite, ComAlso<IOleInPlaceSite, IOleWindow>,
                                           ComAlso<IOleInPlaceFrame, IOleInPlaceUIWindow>> {
 public:
  explicit BrowserSite(HWND host);
  BrowserSite(const BrowserSite&) = delete;
  BrowserSite& operator=(const BrowserSite&) = delete;
  // The host window is going: the site answers no more window questions.
  void Detach() { host_ = nullptr; }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
  // IOleWindow (of both the in-place site and the frame)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return host_ ? S_OK : S_FALSE; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }
  // IOleInPlaceUIWindow, IOleInPlaceFrame: no toolbars, menus or status bar.
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  friend class ComObject<BrowserSite, IOleClientSite, ComAlso<IOleInPlaceSite, IOleWindow>,
                         ComAlso<IOleInPlaceFrame, IOleInPlaceUIWindow>>;
  ~BrowserSite();
  HWND host_;
};

// Keeps every page inside its bounds: a new window goes to the default
// browser (web addresses only) and never opens in the program; a navigation
// to anything but the web and the control's own pages is cancelled.
class BrowserEvents final : public ComObject<BrowserEvents, ComAlso<IDispatch, DWebBrowserEvents2>> {
 public:
  explicit BrowserEvents(UserPrompts& links);
  BrowserEvents(const BrowserEvents&) = delete;
  BrowserEvents& operator=(const BrowserEvents&) = delete;
  // The host window is going: later events are ignored.
  void Detach() { links_ = nullptr; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                   UINT*) override;

 private:
  friend class ComObject<BrowserEvents, ComAlso<IDispatch, DWebBrowserEvents2>>;
  ~BrowserEvents();
  UserPrompts* links_;
};

}  // namespace ql
