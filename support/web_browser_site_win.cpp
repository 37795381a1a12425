#include "support/web_browser_site_win.h"

#include <exdispid.h>

#include <atomic>
#include <string>

#include "platform/win_text.h"
#include "support/web_address.h"
#include "support/web_browser_policy.h"

namespace ql {
namespace {

std::atomic<long> g_alive{0};

// The arguments of an event arrive last to first; `index` counts from the
// first. nullptr when the event does not carry exactly `count` of them.
const VARIANT* Argument(const DISPPARAMS* params, UINT index, UINT count) {
  if (!params || !params->rgvarg || params->cArgs != count || index >= count) return nullptr;
  return &params->rgvarg[count - 1 - index];
}

VARIANT_BOOL* CancelFlag(const VARIANT* v) {
  return v && v->vt == (VT_BYREF | VT_BOOL) && v->pboolVal ? v->pboolVal : nullptr;
}

// A text argument as the control passes it: a BSTR, by value or by
// reference, possibly inside a VARIANT by reference. Its whole length counts,
// so an embedded NUL stays visible to the address check.
std::wstring_view TextArgument(const VARIANT* v, int depth = 0) {
  if (!v) return {};
  BSTR text = nullptr;
  if (v->vt == VT_BSTR)
    text = v->bstrVal;
  else if (v->vt == (VT_BYREF | VT_BSTR) && v->pbstrVal)
    text = *v->pbstrVal;
  else if (v->vt == (VT_BYREF | VT_VARIANT) && depth == 0)
    return TextArgument(v->pvarVal, 1);
  return text ? std::wstring_view(text, SysStringLen(text)) : std::wstring_view();
}

}  // namespace

void CountHostObject(long delta) { g_alive += delta; }
long WebBrowserHostObjectsAlive() { return g_alive.load(); }

// --- BrowserSite ---

BrowserSite::BrowserSite(HWND host) : host_(host) { CountHostObject(1); }
BrowserSite::~BrowserSite() { CountHostObject(-1); }

HRESULT BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserSite::GetContainer(IOleContainer** out) {
  if (out) *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT BrowserSite::GetWindow(HWND* out) {
  if (!out) return E_POINTER;
  *out = host_;
  return host_ ? S_OK : E_FAIL;
}

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                      LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame) *frame = nullptr;
  if (document) *document = nullptr;  // the frame is the document window too
  if (!frame || !position || !clip || !host_) return E_INVALIDARG;
  *frame = this;
  AddRef();
  GetClientRect(host_, position);
  *clip = *position;
  if (info) {
    info->cb = sizeof *info;
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(host_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

// --- BrowserEvents ---

BrowserEvents::BrowserEvents(UserPrompts& links) : links_(&links) { CountHostObject(1); }
BrowserEvents::~BrowserEvents() { CountHostObject(-1); }

HRESULT BrowserEvents::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

HRESULT BrowserEvents::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserEvents::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                              UINT*) {
  if (result) VariantInit(result);
  switch (member) {
    case DISPID_NEWWINDOW3: {
      // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl). The window is
      // always refused; a web address goes to the default browser.
      if (VARIANT_BOOL* cancel = CancelFlag(Argument(params, 1, 5))) *cancel = VARIANT_TRUE;
      std::string address = Gbk(TextArgument(Argument(params, 4, 5)));
      if (links_ && IsWebAddress(address)) links_->OpenLink(address);
      break;
    }
    case DISPID_BEFORENAVIGATE2: {
      // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel).
      std::string address = Gbk(TextArgument(Argument(params, 1, 7)));
      if (VARIANT_BOOL* cancel = CancelFlag(Argument(params, 6, 7)))
        if (!MayNavigateInside(address)) *cancel = VARIANT_TRUE;
      break;
    }
    // NewWindow2 comes before NewWindow3 and carries no address: it is left
    // alone so that NewWindow3 follows. NavigateError is left alone too: the
    // control then shows its own error page.
    default: break;
  }
  return S_OK;
}

}  // namespace ql
