// The window layouts as data: one row per control with its kind, parent,
// caption, position, size and font, turned into child windows by one builder
// (support/layout_window_win.h). The main window and the tools container
// both describe themselves this way; positions, sizes and fonts live only
// here and in the font table, so they can be scaled in one place.
#pragma once

#include <cstdint>
#include <string_view>

namespace ql {

enum class RowKind : uint8_t {
  Region,        // background of the navigation column or the top bar
  Label,         // plain text (STATIC)
  Heading,       // a page's heading
  Section,       // "| 下载网址": an accent mark and the caption
  Link,          // accent text; acts on the button going down
  NavPicture,    // 主页, 功能, 特色
  NavText,       // B1 … x: caption with trailing spaces
  NavBottom,     // the three buttons at the foot of the column
  Line,          // separator
  Bar,           // selection bar
  Button,        // filled accent button, drawn
  Card,          // white card with a heading and an icon at its top right
  Group,         // bordered frame behind other rows, drawn
  Picture,       // tile with a mark and its name
  Caption,       // caption picture under a tile
  Icon,          // small link icon
  Banner,        // accent banner at a page's top
  Deco,          // decorative picture
  Avatar,        //
  WindowButton,  // minimise, close
  TitleField,    // read-only one-line text field
  TextBox,       // read-only multi-line text in a frame
  LineBox,       // read-only one-line text in a frame
  HiddenEdit,    // the copy buffer
  List,          // report list; detail holds the columns, "|"-separated
  Tools,         // the tools container of "功能" (made by its own subsystem)
  Timer,         // a timer of the window: a name, no window
  PushButton,    // the system's push button (BUTTON)
  GroupBox,      // the system's group frame (BUTTON, BS_GROUPBOX)
  SearchBox,     // editable drop-down combo box: Enter runs `action`, a picked item runs `detail`
};

enum class FontId : uint8_t {
  Body,
  Small,
  Nav,
  Strong,
  Heading,
  Title,
  Product,
  Big,
  ToolsText,    // the tools container's texts and buttons
  ToolsHeader,  // the tools container's header
  kCount
};

// Parents other than a page index (0 and up): the window's own regions.
inline constexpr int8_t kInWindow = -1;
inline constexpr int8_t kInNav = -2;
inline constexpr int8_t kInTop = -3;

enum RowFlags : uint8_t {
  kHidden = 1,
  kMuted = 2,       // secondary text colour
  kAccentText = 4,  // accent text colour
  kWarning = 8,     // warning text colour
  kCentre = 16,
  kWrap = 32,  // several lines
};

struct LayoutRow {
  RowKind kind;
  int8_t parent;             // page index, or kInWindow / kInNav / kInTop
  std::string_view name;     // layout name ("" for unnamed controls)
  std::string_view caption;  // window text
  int16_t x, y, w, h;
  FontId font = FontId::Body;
  uint8_t flags = 0;
  std::string_view action = {};   // control action key ("" when it does nothing)
  std::string_view mark = {};     // the short mark drawn on tiles and cards
  std::string_view detail = {};   // second line of cards and banners; list columns
  std::string_view tooltip = {};  // shown when the mouse rests on the control
};

// Rows that frame others (cards, groups, regions) are drawn beneath them.
inline bool IsContainer(RowKind kind) {
  return kind == RowKind::Region || kind == RowKind::Card || kind == RowKind::Group || kind == RowKind::GroupBox;
}
// Rows the user can click: those with an action.
inline bool IsClickable(const LayoutRow& row) { return !row.action.empty(); }
inline bool IsNavKind(RowKind k) {
  return k == RowKind::NavPicture || k == RowKind::NavText || k == RowKind::NavBottom;
}

}  // namespace ql
