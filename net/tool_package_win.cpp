// The tool package: the installed check and its download link.
#include "net/tool_package_win.h"

#include <windows.h>

#include "net/fetch_url_win.h"
#include "net/update_check_win.h"
#include "platform/win_text.h"
#include "support/control_actions.h"
#include "support/reentry_guard.h"

namespace ql {
namespace {

// While the link is fetched the window goes on answering, so the user may
// click again: one offer or fetch at a time, a second click does nothing.
bool g_linkBusy = false;

void FetchAndOpenLink(UserPrompts& prompts, std::string_view folderPage) {
  prompts.ShowMessageBox("准备为您安装工具包，此过程可能需要网络，点击确定立即获取！", kMessageBoxTitle, MB_OK);
  std::string link = ToolPackageLink(DecodeUtf8Page(FetchUrlBytes(folderPage)));
  if (link.empty()) {
    prompts.ShowMessageBox("网络错误！获取链接失败！", kMessageBoxTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  prompts.OpenLink(link);
}

}  // namespace

void OfferToolPackage(UserPrompts& prompts, std::string_view binDir, std::string_view folderPage) {
  std::wstring marker = Wide(std::string(binDir) + "\\tool.ini");
  DWORD attributes = GetFileAttributesW(marker.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  ReentryGuard busy(g_linkBusy);
  if (!busy.Entered()) return;
  if (prompts.ShowMessageBox("检测到您没有安装工具包\r\n请问是否安装？", kMessageBoxTitle, MB_YESNO) != IDYES) return;
  FetchAndOpenLink(prompts, folderPage);
}

void OpenToolPackageLink(UserPrompts& prompts, std::string_view folderPage) {
  ReentryGuard busy(g_linkBusy);
  if (busy.Entered()) FetchAndOpenLink(prompts, folderPage);
}

void RegisterNetActions(UpdateCheckView& update, UserPrompts& prompts, std::string_view folderPage) {
  RegisterControlAction("点击检测更新", [&update, page = std::string(folderPage)] { CheckForUpdate(update, page); });
  RegisterControlAction("下载工具包",
                        [&prompts, page = std::string(folderPage)] { OpenToolPackageLink(prompts, page); });
}

}  // namespace ql
