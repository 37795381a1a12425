// Owners of GDI+ flat-API objects, aliases of the owner template.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "platform/scoped.h"

namespace ql {

inline void DeleteGpGraphics(Gdiplus::GpGraphics* g) { Gdiplus::DllExports::GdipDeleteGraphics(g); }
inline void DeleteGpPath(Gdiplus::GpPath* path) { Gdiplus::DllExports::GdipDeletePath(path); }
inline void DeleteGpPen(Gdiplus::GpPen* pen) { Gdiplus::DllExports::GdipDeletePen(pen); }
inline void DeleteGpBrush(Gdiplus::GpBrush* brush) { Gdiplus::DllExports::GdipDeleteBrush(brush); }
inline void DisposeGpImage(Gdiplus::GpImage* image) { Gdiplus::DllExports::GdipDisposeImage(image); }

using ScopedGpGraphics = Unique<NullTraits<Gdiplus::GpGraphics*, DeleteGpGraphics>>;
using ScopedGpPath = Unique<NullTraits<Gdiplus::GpPath*, DeleteGpPath>>;
using ScopedGpPen = Unique<NullTraits<Gdiplus::GpPen*, DeleteGpPen>>;
using ScopedGpSolidFill = Unique<NullTraits<Gdiplus::GpSolidFill*, DeleteGpBrush>>;
using ScopedGpImage = Unique<NullTraits<Gdiplus::GpImage*, DisposeGpImage>>;
using ScopedGpBitmap = Unique<NullTraits<Gdiplus::GpBitmap*, DisposeGpImage>>;

}  // namespace ql
