// The network features' defaults: the configured addresses, the real box and
// the shell.
#include "net/net_hooks_win.h"

#include <shellapi.h>

#include "platform/win_text.h"
#include "support/web_addresses.h"

namespace ql {
namespace {

NetHooks DefaultHooks() {
  NetHooks h;
  h.counterPage = std::string(web::kVisitCounterPage);
  h.folderPage = std::string(web::kMakerSharedFolderPage);
  h.messageBox = [](std::string_view text, UINT style) {
    return MessageBoxGbk(nullptr, text, "信息：", style | MB_TASKMODAL);
  };
  h.openLink = [](const std::string& link) {
    ShellExecuteW(nullptr, L"open", Wide(link).c_str(), nullptr, nullptr, SW_SHOW);
  };
  h.appPaths = [] { return CurrentAppPaths(); };
  return h;
}

}  // namespace

NetHooks& TheNetHooks() {
  static NetHooks hooks = DefaultHooks();
  return hooks;
}

void ResetNetHooks() { TheNetHooks() = DefaultHooks(); }

}  // namespace ql
