// The tool package: the installed check and its download link.
#include "net/tool_package_win.h"

#include <windows.h>

#include "app/control_actions.h"
#include "net/fetch_url_win.h"
#include "net/net_hooks_win.h"
#include "net/update_check_win.h"
#include "net/web_pages.h"
#include "platform/win_text.h"

namespace ql {

void OfferToolPackage() {
  NetHooks& hooks = TheNetHooks();
  std::wstring marker = Wide(hooks.appPaths().binDir + "\\tool.ini");
  DWORD attributes = GetFileAttributesW(marker.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  if (hooks.messageBox("检测到您没有安装工具包\r\n请问是否安装？", MB_YESNO) != IDYES) return;
  OpenToolPackageLink();
}

void OpenToolPackageLink() {
  NetHooks& hooks = TheNetHooks();
  hooks.messageBox("准备为您安装工具包，此过程可能需要网络，点击确定立即获取！", MB_OK);
  std::string link = ToolPackageLink(DecodeUtf8Page(FetchUrlBytes(hooks.folderPage)));
  if (link.empty()) {
    hooks.messageBox("网络错误！获取链接失败！", MB_OK | MB_ICONINFORMATION);
    return;
  }
  hooks.openLink(link);
}

void RegisterNetActions() {
  RegisterControlAction("点击检测更新", CheckForUpdate);
  RegisterControlAction("下载工具包", OpenToolPackageLink);
}

}  // namespace ql
