// The host window of the WebBrowser control: embedding on creation, the
// control's rectangle kept on resizing, and a teardown on WM_DESTROY that
// makes the control let go of every object the host handed it.
#include "support/web_browser_host_win.h"

#include <exdisp.h>
#include <ocidl.h>

#include <memory>

#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "platform/window_class_win.h"
#include "support/web_address.h"
#include "support/web_browser_policy.h"
#include "support/web_browser_site_win.h"

namespace ql {
namespace {

struct HostState {
  ScopedOleInit ole = InitializeOle();  // first in, last out
  ScopedComPtr<IOleObject> control;
  ScopedComPtr<IWebBrowser2> browser;
  ScopedComPtr<IConnectionPoint> events;
  DWORD cookie = 0;
  BrowserSite* site = nullptr;    // one reference, ours
  BrowserEvents* sink = nullptr;  // one reference, ours
};

bool Embed(HWND host, HostState& s, UserPrompts& links) {
  s.site = new BrowserSite(host);
  s.sink = new BrowserEvents(links);
  if (FAILED(s.control->SetClientSite(s.site))) return false;
  if (FAILED(s.control->QueryInterface(IID_IWebBrowser2, PutVoid(s.browser))) || !s.browser) return false;
  if (FAILED(s.browser->put_Silent(VARIANT_TRUE))) return false;
  // Without the sink a page's new window would open inside the control's
  // own browser window: no sink, no host.
  ScopedComPtr<IConnectionPointContainer> points;
  if (FAILED(s.control->QueryInterface(IID_IConnectionPointContainer, PutVoid(points))) || !points) return false;
  if (FAILED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, s.events.Put())) || !s.events) return false;
  if (FAILED(s.events->Advise(s.sink, &s.cookie))) {
    s.cookie = 0;
    return false;
  }
  RECT rc;
  GetClientRect(host, &rc);
  return SUCCEEDED(s.control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, s.site, 0, host, &rc));
}

// Also undoes a partial Embed. The control keeps the client site of a
// Close to restore it on the next DoVerb (Wine does), so the site is taken
// away explicitly afterwards.
void Teardown(HostState& s) {
  if (s.events && s.cookie) s.events->Unadvise(s.cookie);
  s.cookie = 0;
  s.events.Reset();
  s.browser.Reset();
  if (s.control) {
    ScopedComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(s.control->QueryInterface(IID_IOleInPlaceObject, PutVoid(inPlace))) && inPlace)
      inPlace->InPlaceDeactivate();
    inPlace.Reset();
    s.control->Close(OLECLOSE_NOSAVE);
    s.control->SetClientSite(nullptr);
    s.control.Reset();
  }
  if (s.sink) {
    s.sink->Detach();
    s.sink->Release();
    s.sink = nullptr;
  }
  if (s.site) {
    s.site->Detach();
    s.site->Release();
    s.site = nullptr;
  }
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  HostState* s = WindowState<HostState>(hwnd, msg, lp);
  switch (msg) {
    case WM_SIZE:
      // Not before the control is embedded: the window's creation sends one.
      if (s && s->site && s->control) {
        ScopedComPtr<IOleInPlaceObject> inPlace;
        if (SUCCEEDED(s->control->QueryInterface(IID_IOleInPlaceObject, PutVoid(inPlace))) && inPlace) {
          RECT rc = {0, 0, LOWORD(lp), HIWORD(lp)};
          inPlace->SetObjectRects(&rc, &rc);
        }
      }
      return 0;
    case WM_DESTROY:
      if (s) Teardown(*s);
      return 0;
    case WM_NCDESTROY: DeleteWindowState<HostState>(hwnd); return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

class ShellExplorerSource final : public BrowserControlSource {
 public:
  HRESULT CreateControl(IOleObject** control) override {
    *control = nullptr;
    // Read by the engine when it starts in this process: before the first control.
    WriteBrowserEmulationForThisProgram();
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(L"Shell.Explorer.2", &clsid);
    if (FAILED(hr)) return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, reinterpret_cast<void**>(control));
  }
};

}  // namespace

BrowserControlSource& SystemBrowserControl() {
  static ShellExplorerSource source;
  return source;
}

HWND CreateWebBrowserHost(HWND parent, const RECT& rect, UserPrompts& links, BrowserControlSource& source) {
  auto state = std::make_unique<HostState>();
  if (!state->ole) return nullptr;  // this thread runs the multi-threaded apartment
  if (FAILED(source.CreateControl(state->control.Put())) || !state->control) return nullptr;

  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(
      instance, kWebBrowserHostClass, HostProc,
      {.cursor = LoadCursorW(nullptr, IDC_ARROW), .background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
  // The window takes the state over as it is made (WindowState).
  HWND host = CreateWindowExW(0, kWebBrowserHostClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                              instance, &state);
  HostState* s = WindowState<HostState>(host);
  if (!s) {
    if (host) DestroyWindow(host);
    return nullptr;
  }
  if (!Embed(host, *s, links)) {
    DestroyWindow(host);
    return nullptr;
  }
  return host;
}

bool IsWebBrowserHost(HWND window) {
  wchar_t name[64] = {};
  return window && GetClassNameW(window, name, 64) > 0 && lstrcmpW(name, kWebBrowserHostClass) == 0 &&
         WindowState<HostState>(window);
}

bool NavigateWebBrowserHost(HWND host, std::string_view address) {
  if (!IsWebAddress(address) || !IsWebBrowserHost(host)) return false;
  HostState* s = WindowState<HostState>(host);
  if (!s->browser) return false;
  std::wstring wide = Wide(address);
  ScopedBstr text = MakeBstr(wide.data(), wide.size());
  if (!text) return false;
  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = text.Get();  // still owned by `text`
  VARIANT none;
  VariantInit(&none);
  return SUCCEEDED(s->browser->Navigate2(&url, &none, &none, &none, &none));
}

}  // namespace ql
