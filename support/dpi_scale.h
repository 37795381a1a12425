// Layout sizes for the display's resolution: every position, size and font
// height of the layout tables is written for 96 dots per inch and scaled by
// dpi / 96 when a window is made or moved to another display.
#pragma once

namespace ql {

inline constexpr unsigned kDesignDpi = 96;

// value * dpi / 96, rounded half away from zero (-13 at 144 is -20, 23 is 35).
int ScaleForDpi(int value, unsigned dpi);
// The same for a fractional value (the painters' coordinates): exact at 96.
float ScaleForDpi(float value, unsigned dpi);

}  // namespace ql
