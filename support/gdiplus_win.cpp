// GDI+ start-up through the flat API.
#include "support/gdiplus_win.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

namespace ql {
namespace {
ULONG_PTR g_token = 0;
}

void StartGdiplus() {
  if (g_token != 0) return;
  Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, no suppression
  if (Gdiplus::GdiplusStartup(&g_token, &input, nullptr) != Gdiplus::Ok) g_token = 0;
}

uintptr_t GdiplusToken() { return g_token; }

}  // namespace ql
