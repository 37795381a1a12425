// TaskDialog is looked up at run time (platform/dyn_calls_win.h): it exists
// only in version 6 of the common controls, which the manifest requests;
// without it we report -1 instead of failing to load.
#include "support/task_dialog_win.h"

#include <commctrl.h>

#include "platform/dyn_calls_win.h"
#include "platform/win_text.h"

namespace ql {

int ShowTaskDialog(HWND owner, std::string_view mainInstruction, std::string_view windowTitle, std::string_view content,
                   int commonButtons, HINSTANCE instance, int icon) {
  auto fn = Comctl32Calls().TaskDialog;
  if (!fn) return -1;
  std::wstring title = Wide(windowTitle), instruction = Wide(mainInstruction), body = Wide(content);
  int pressed = -1;
  HRESULT hr = fn(owner, instance, title.c_str(), instruction.c_str(), body.c_str(),
                  static_cast<TASKDIALOG_COMMON_BUTTON_FLAGS>(commonButtons), MAKEINTRESOURCEW(static_cast<WORD>(icon)),
                  &pressed);
  return SUCCEEDED(hr) ? pressed : -1;
}

}  // namespace ql
