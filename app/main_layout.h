// The main window's layout as data: one row per control, turned into child
// windows by a single builder. Positions are inside the row's parent: the
// window itself, the navigation column, the top bar or one of the pages.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ql {

enum class RowKind : uint8_t {
  Region,      // background of the navigation column or the top bar
  Label,       // plain text
  Heading,     // a page's heading
  Section,     // "| 下载网址": an accent mark and the caption
  Link,        // accent text; acts on the button going down
  NavPicture,  // 主页, 功能, 特色
  NavText,     // B1 … x: caption with trailing spaces
  NavBottom,   // the three buttons at the foot of the column
  Line,        // separator
  Bar,         // selection bar
  Button,      // filled accent button
  Card,        // white card with a heading and an icon at its top right
  Group,       // bordered frame behind other rows
  Picture,     // tile with a mark and its name
  Caption,     // caption picture under a tile
  Icon,        // small link icon
  Banner,      // accent banner at a page's top
  Deco,        // decorative picture
  Avatar,
  WindowButton,  // minimise, close
  TitleField,    // read-only one-line text field
  TextBox,       // read-only multi-line text in a frame
  LineBox,       // read-only one-line text in a frame
  HiddenEdit,    // the copy buffer
  List,          // report list; detail holds the columns, "|"-separated
  Tools,         // the tools container of "功能"
};

enum class FontId : uint8_t { Body, Small, Nav, Strong, Heading, Title, Product, Big, kCount };

// Parents other than a page index 0 … 13.
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
  int8_t parent;
  std::string_view name;     // layout name ("" for unnamed controls)
  std::string_view caption;  // window text
  int16_t x, y, w, h;
  FontId font = FontId::Body;
  uint8_t flags = 0;
  std::string_view action = {};  // control action key ("" when it does nothing)
  std::string_view mark = {};    // the short mark drawn on tiles and cards
  std::string_view detail = {};  // second line of cards and banners; list columns
};

std::span<const LayoutRow> MainLayout();
// Index of the row with this layout name, -1 when there is none.
int FindLayoutRow(std::string_view name);
// Child-window identifiers: rows are kLayoutIdBase + index, pages kPageIdBase + page.
inline constexpr int kLayoutIdBase = 1000;
inline constexpr int kPageIdBase = 900;
inline constexpr int kPageAreaId = 899;
// The region rows' sizes: what the rows of each parent must fit in.
struct ParentBox {
  int width, height;
};
ParentBox ParentSize(int8_t parent);
// Rows that frame others (cards, groups, regions) are drawn beneath them.
bool IsContainer(RowKind kind);
// Rows the user can click: those with an action.
inline bool IsClickable(const LayoutRow& row) { return !row.action.empty(); }
// The action keys of the navigation controls, the two 设置 cards and the
// window buttons carry this prefix; the main window handles them itself.
inline constexpr std::string_view kNavActionPrefix = "nav:";

}  // namespace ql
