// MemoryImage over CreateStreamOnHGlobal and the GDI+ flat API.
#include "support/memory_image_win.h"

#include <gdiplus.h>

#include <cstring>

namespace ql {

using namespace Gdiplus::DllExports;

MemoryImage::~MemoryImage() { Clear(); }

void MemoryImage::Clear() {
  if (image_) GdipDisposeImage(image_);
  image_ = nullptr;
  if (stream_) stream_->Release();
  stream_ = nullptr;
  if (memory_) GlobalFree(memory_);
  memory_ = nullptr;
  width_ = height_ = 0;
}

bool MemoryImage::LoadFromBytes(std::span<const uint8_t> bytes) {
  Clear();
  if (bytes.size() < 5) return false;
  memory_ = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory_) return false;
  if (FAILED(CreateStreamOnHGlobal(memory_, FALSE, &stream_))) {
    stream_ = nullptr;
    return false;
  }
  void* p = GlobalLock(memory_);
  if (!p) return false;
  std::memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(memory_);
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromStream(stream_, &bitmap) != Gdiplus::Ok || !bitmap) return false;
  image_ = bitmap;
  return true;
}

void MemoryImage::GetSize(int32_t& width, int32_t& height) {
  if (image_ && width_ == 0) {
    UINT w = 0, h = 0;
    GdipGetImageWidth(image_, &w);
    GdipGetImageHeight(image_, &h);
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
