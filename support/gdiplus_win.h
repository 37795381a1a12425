// GDI+ for the process: started once, never shut down.
#pragma once

#include <cstdint>

namespace ql {

void StartGdiplus();
// The program-wide token; 0 until GDI+ has been started.
uintptr_t GdiplusToken();

}  // namespace ql
