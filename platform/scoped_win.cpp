// The one closing call that needs a header of its own.
#include <windows.h>
#include <wininet.h>

#include "platform/scoped_win.h"

namespace ql {

void CloseInternetHandle(void* handle) { InternetCloseHandle(static_cast<HINTERNET>(handle)); }

}  // namespace ql
