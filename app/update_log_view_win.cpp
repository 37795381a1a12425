#include "app/update_log_view_win.h"

#include "support/control_actions.h"
#include "support/dpi_scale.h"
#include "support/layout_table.h"
#include "support/layout_window_win.h"
#include "support/web_address.h"
#include "support/web_browser_policy.h"

namespace ql {
namespace {

// The link in the middle of the browser's rectangle; its caption is its action key.
constexpr int kLinkWidth = 240;
constexpr int kLinkHeight = 28;
constexpr LayoutRow kFallbackLinkRow{RowKind::Link,
                                     10,
                                     "",
                                     kUpdateLogLinkCaption,
                                     int16_t(kUpdateLogRect.left + (812 - kLinkWidth) / 2),
                                     int16_t(kUpdateLogRect.top + (416 - kLinkHeight) / 2),
                                     kLinkWidth,
                                     kLinkHeight,
                                     FontId::Strong,
                                     kCentre,
                                     kUpdateLogLinkCaption};

}  // namespace

void UpdateLogView::Show(HWND page, HINSTANCE instance) {
  if (shown_ || !page) return;
  shown_ = true;
  // The page's resolution: the browser's rectangle is at 96 DPI.
  UINT dpi = LayoutDpiOf(page);
  RECT place{ScaleForDpi(int(kUpdateLogRect.left), dpi), ScaleForDpi(int(kUpdateLogRect.top), dpi),
             ScaleForDpi(int(kUpdateLogRect.right), dpi), ScaleForDpi(int(kUpdateLogRect.bottom), dpi)};
  browser_ = CreateWebBrowserHost(page, place, links_, source_);
  if (browser_) {
    RegisterLayoutWindow(browser_, kUpdateLogRect, dpi);
    NavigateWebBrowserHost(browser_, address_);  // refused unless a web address
    return;
  }
  RegisterControlAction(kFallbackLinkRow.action, [this] { OpenInDefaultBrowser(); });
  link_ = CreateLayoutWindow(kFallbackLinkRow, kFallbackLinkRow.caption, page, 0, {instance, nullptr, dpi});
}

void UpdateLogView::OpenInDefaultBrowser() {
  if (IsWebAddress(address_)) links_.OpenLink(address_);
}

}  // namespace ql
