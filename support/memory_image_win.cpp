// MemoryImage over CreateStreamOnHGlobal and the GDI+ flat API.
#include "support/memory_image_win.h"

#include <cstring>

namespace ql {

using namespace Gdiplus::DllExports;

MemoryImage::~MemoryImage() { Clear(); }

void MemoryImage::Clear() {
  image_.Reset();
  stream_.Reset();
  memory_.Reset();
  width_ = height_ = 0;
}

bool MemoryImage::LoadFromBytes(std::span<const uint8_t> bytes) {
  Clear();
  if (bytes.size() < 5) return false;
  memory_.Reset(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!memory_) return false;
  if (FAILED(CreateStreamOnHGlobal(memory_.Get(), FALSE, stream_.Put()))) {
    stream_.Reset();
    return false;
  }
  void* p = GlobalLock(memory_.Get());
  if (!p) return false;
  std::memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(memory_.Get());
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromStream(stream_.Get(), &bitmap) != Gdiplus::Ok || !bitmap) return false;
  image_.Reset(bitmap);
  return true;
}

void MemoryImage::GetSize(int32_t& width, int32_t& height) {
  if (image_ && width_ == 0) {
    UINT w = 0, h = 0;
    GdipGetImageWidth(image_.Get(), &w);
    GdipGetImageHeight(image_.Get(), &h);
    width_ = static_cast<int32_t>(w);
    height_ = static_cast<int32_t>(h);
    if (w == 0 || h == 0) Clear();
  }
  width = width_;
  height = height_;
}

int32_t MemoryImage::Width() {
  int32_t w, h;
  GetSize(w, h);
  return w;
}

int32_t MemoryImage::Height() {
  int32_t w, h;
  GetSize(w, h);
  return h;
}

}  // namespace ql
