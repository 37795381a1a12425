// A picture decoded by GDI+ from bytes held in memory. The stream and its
// memory block live as long as the image: the decoder reads them later.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <span>

#include "platform/scoped_gdiplus_win.h"
#include "platform/scoped_win.h"

namespace ql {

class MemoryImage {
 public:
  MemoryImage() = default;
  MemoryImage(const MemoryImage&) = delete;
  MemoryImage& operator=(const MemoryImage&) = delete;
  virtual ~MemoryImage();

  virtual void Clear();
  virtual bool LoadFromBytes(std::span<const uint8_t> bytes);
  virtual int32_t Width();
  virtual int32_t Height();
  virtual void GetSize(int32_t& width, int32_t& height);
  virtual Gdiplus::GpImage* Handle() const { return image_.Get(); }

  // True while a global block is held (tests use it to see nothing was allocated).
  bool HoldsMemory() const { return static_cast<bool>(memory_); }

 private:
  // Declared in the order of need, so they go image first, memory last.
  ScopedHGlobal memory_;
  ScopedComPtr<IStream> stream_;
  ScopedGpImage image_;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace ql
