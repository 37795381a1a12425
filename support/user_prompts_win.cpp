// Message boxes and links through the system.
#include "support/user_prompts_win.h"

#include <shellapi.h>

#include "platform/win_text.h"
#include "support/web_address.h"

namespace ql {

int SystemUserPrompts::ShowMessageBox(std::string_view text, std::string_view title, unsigned style) {
  return MessageBoxGbk(nullptr, text, title, style | MB_TASKMODAL);
}

void SystemUserPrompts::OpenLink(std::string_view address) {
  // The last gate before the shell: whoever asked, only a web address opens.
  if (!IsWebAddress(address)) return;
  std::wstring file = Wide(address);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // No error box of the shell's own: a failed start shows nothing.
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.hwnd = LinkOwnerWindow();
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&info);
}

HWND LinkOwnerWindow() { return FindWindowW(nullptr, L"Microsoft Internet Explorer"); }

}  // namespace ql
