// A small PNG decoder for the pictures built into the program: 8 bits per
// sample, grey, grey + alpha, RGB or RGBA, not interlaced. Bounded: any
// input, well formed or not, is read within its bytes, and a picture above
// 4096 x 4096 is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ql {

struct PngPicture {
  int width = 0;
  int height = 0;
  // 0xAARRGGBB with straight (not premultiplied) alpha, top row first.
  std::vector<uint32_t> argb;
  uint32_t At(int x, int y) const { return argb[size_t(y) * size_t(width) + size_t(x)]; }
};

std::optional<PngPicture> DecodePng(std::span<const uint8_t> png);

// The zlib stream inside: the inflated bytes, or nothing when the stream is
// damaged or would inflate to more than `limit` bytes.
std::optional<std::vector<uint8_t>> InflateZlib(std::span<const uint8_t> zlib, size_t limit);

}  // namespace ql
