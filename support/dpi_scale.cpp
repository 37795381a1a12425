#include "support/dpi_scale.h"

#include <cstdint>

namespace ql {

int ScaleForDpi(int value, unsigned dpi) {
  if (dpi == kDesignDpi || dpi == 0) return value;
  // In 64 bits: no product of an int16 layout value and a DPI overflows.
  int64_t product = int64_t(value) * int64_t(dpi);
  int64_t half = kDesignDpi / 2;
  int64_t scaled = product >= 0 ? (product + half) / kDesignDpi : -((-product + half) / kDesignDpi);
  return static_cast<int>(scaled);
}

float ScaleForDpi(float value, unsigned dpi) {
  if (dpi == kDesignDpi || dpi == 0) return value;
  return value * float(dpi) / float(kDesignDpi);
}

}  // namespace ql
