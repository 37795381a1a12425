// libFuzzer target for the PNG decoder and the inflater under it: the input
// is a PNG file (the seeds are the program's two built-in shadow frames,
// byte for byte). Any bytes are read within their length and never crash;
// a picture that comes out has its size within the decoder's limit and
// exactly width x height pixels. The same bytes then go to the inflater as
// a bare zlib stream, which must keep to the limit it is given.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "support/png_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A copy exactly as long as the input, so ASan sees any read beyond it.
  std::vector<uint8_t> bytes(data, data + size);
  if (std::optional<ql::PngPicture> picture = ql::DecodePng(bytes)) {
    if (picture->width < 1 || picture->height < 1 || picture->width > 4096 || picture->height > 4096) __builtin_trap();
    if (picture->argb.size() != size_t(picture->width) * size_t(picture->height)) __builtin_trap();
  }
  constexpr size_t kLimit = 1 << 16;
  if (std::optional<std::vector<uint8_t>> raw = ql::InflateZlib(bytes, kLimit); raw && raw->size() > kLimit)
    __builtin_trap();
  return 0;
}
