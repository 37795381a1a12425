// Page 10's update log: the system's web browser showing the maker's
// update-log page, created the first time the page is opened, or, where the
// control cannot be created, one link that opens the page in the default
// browser. No changelog text lives in the program.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "support/user_prompts.h"
#include "support/web_browser_host_win.h"

namespace ql {

// The browser's place on the page.
inline constexpr RECT kUpdateLogRect = {4, 148, 4 + 812, 148 + 416};
inline constexpr std::string_view kUpdateLogLinkCaption = "在浏览器中打开更新日志";

class UpdateLogView {
 public:
  UpdateLogView(UserPrompts& links, BrowserControlSource& source, std::string_view address)
      : links_(links), source_(source), address_(address) {}
  UpdateLogView(const UpdateLogView&) = delete;
  UpdateLogView& operator=(const UpdateLogView&) = delete;

  // The first call puts the browser (or the link) on `page`; later calls
  // keep what is there.
  void Show(HWND page, HINSTANCE instance);
  HWND Browser() const { return browser_; }
  HWND FallbackLink() const { return link_; }
  // The link's action: the address in the default browser, when it is a web
  // address.
  void OpenInDefaultBrowser();

 private:
  UserPrompts& links_;
  BrowserControlSource& source_;
  std::string address_;
  bool shown_ = false;
  HWND browser_ = nullptr;
  HWND link_ = nullptr;
};

}  // namespace ql
