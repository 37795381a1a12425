// The look of the layout rows: fonts, colours and the painting of every
// drawn row kind (pictures, cards, buttons, links, navigation).
#pragma once

#include <windows.h>

#include <string_view>

#include "support/dpi_scale.h"
#include "support/layout_table.h"

namespace ql {

inline constexpr COLORREF kAccent = RGB(0x00, 0x88, 0xFF);
inline constexpr COLORREF kText = RGB(0x26, 0x30, 0x3C);
inline constexpr COLORREF kMutedText = RGB(0x7A, 0x85, 0x94);
inline constexpr COLORREF kWarningText = RGB(0xE0, 0x4A, 0x3F);
inline constexpr COLORREF kNavBack = RGB(0xF4, 0xF7, 0xFB);
inline constexpr COLORREF kPageBack = RGB(0xFF, 0xFF, 0xFF);
inline constexpr COLORREF kBorder = RGB(0xE3, 0xE9, 0xF1);
inline constexpr COLORREF kTint = RGB(0xEA, 0xF4, 0xFF);

// The one font table of every layout, its heights scaled for `dpi`
// (created once per resolution, kept for the process).
HFONT LayoutFont(FontId id, UINT dpi = kDesignDpi);
// Text colour of a label or text field row.
COLORREF RowTextColour(const LayoutRow& row);
// Rows in the navigation column (and the column itself) sit on its colour.
bool OnNavigationColour(const LayoutRow& row);

struct SkinState {
  bool hover = false;
  bool pressed = false;
  bool selected = false;  // the navigation control of the shown page
  bool focused = false;   // has the keyboard's focus: drawn with a focus cue
};

// Paints a drawn row into `dc` (its client area is w x h): the background,
// then the painter of its family. `caption` is the control's current text;
// the painters' 96-DPI shapes are drawn at `dpi`.
void PaintLayoutRow(HDC dc, int w, int h, const LayoutRow& row, std::string_view caption, const SkinState& state,
                    UINT dpi = kDesignDpi);

}  // namespace ql
