// The tools container (an empty panel until the catalog is built).
#include "launcher/tools_container_win.h"

namespace ql {

HWND CreateToolsContainer(HWND parent, int x, int y, int width, int height) {
  return CreateWindowExW(0, L"STATIC", L"ToolsContainer", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                         nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

void RegisterLauncherActions() {}

}  // namespace ql
