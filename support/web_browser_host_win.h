// A small OLE container of our own for the system's WebBrowser control
// (Shell.Explorer.2): a child window that holds the control in place, with a
// client site, an in-place site and frame (one object), and a sink for the
// control's events. Nothing more than the control needs.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string_view>

#include "support/user_prompts.h"

namespace ql {

// The window class of the host window.
inline constexpr wchar_t kWebBrowserHostClass[] = L"QinglanWebBrowserHost";

// Makes the control object. The program's own source makes Shell.Explorer.2
// (and asks the engine for its newest document mode first); tests pass a fake.
class BrowserControlSource {
 public:
  virtual HRESULT CreateControl(IOleObject** control) = 0;

 protected:
  ~BrowserControlSource() = default;
};
BrowserControlSource& SystemBrowserControl();

// Creates the host as a child of `parent` at `rect` (the parent's client
// coordinates) with the control active in place inside it, in silent mode
// (no script-error or other dialogs of the control). Returns nullptr, with
// nothing left behind, when the control cannot be created or refuses to be
// hosted. A page's new window is always refused; when it asks for a web
// address, `links` opens it in the default browser. On the UI thread;
// `links` must outlive the window.
HWND CreateWebBrowserHost(HWND parent, const RECT& rect, UserPrompts& links,
                          BrowserControlSource& source = SystemBrowserControl());

// Starts the navigation to `address` (GBK) when it is a web address
// (IsWebAddress); any other address is not navigated to. False when refused
// or when `host` is no host window. A failed navigation shows the control's
// own error page.
bool NavigateWebBrowserHost(HWND host, std::string_view address);

bool IsWebBrowserHost(HWND window);

// The COM objects of the hosts (sites and event sinks) still alive in this
// process. When a host window is destroyed it makes the control let go of
// them and releases its own references, so the count falls back.
long WebBrowserHostObjectsAlive();

// FEATURE_BROWSER_EMULATION for this executable under HKCU, from the
// installed engine's version; false when nothing could be written.
bool WriteBrowserEmulationForThisProgram();

}  // namespace ql
