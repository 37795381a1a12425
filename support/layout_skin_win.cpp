// The look of the drawn layout rows: flat shapes in one accent colour,
// anti-aliased through GDI+, and text through GDI in the chosen face. One
// small painter per family of rows.
#include "support/layout_skin_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include <array>
#include <cmath>
#include <map>
#include <string>

#include "platform/scoped_gdiplus_win.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/dpi_scale.h"
#include "support/layout_names.h"
#include "support/window_shadow_win.h"

namespace ql {
namespace {

using namespace Gdiplus::DllExports;

constexpr COLORREF kAccentDark = RGB(0x00, 0x6E, 0xD6);

uint32_t Argb(COLORREF c, uint8_t alpha = 255) { return ColorRefToArgb(c, alpha); }

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The first face that the system has: 微软雅黑, then common CJK fallbacks.
const wchar_t* FaceName() {
  static const wchar_t* face = [] {
    static const wchar_t* candidates[] = {L"微软雅黑",         L"Microsoft YaHei", L"WenQuanYi Micro Hei",
                                          L"Noto Sans CJK SC", L"SimHei",          L"宋体"};
    ScopedWindowDC screen = GetScopedDC(nullptr);
    const wchar_t* found = candidates[0];
    for (const wchar_t* c : candidates) {
      LOGFONTW lf{};
      lf.lfCharSet = DEFAULT_CHARSET;
      wcsncpy(lf.lfFaceName, c, LF_FACESIZE - 1);
      bool exists = false;
      EnumFontFamiliesExW(screen.Get(), &lf, FaceFound, reinterpret_cast<LPARAM>(&exists), 0);
      if (exists) {
        found = c;
        break;
      }
    }
    return found;
  }();
  return face;
}

// Painters draw in 96-DPI units; the canvas scales every coordinate, pen and
// font to the window's resolution, so shapes and text are drawn at their
// size on the screen rather than stretched (and are exact at 96 DPI).
class Canvas {
 public:
  Canvas(HDC dc, UINT dpi) : dc_(dc), dpi_(dpi) {
    GdipCreateFromHDC(dc, g_.Put());
    if (g_) GdipSetSmoothingMode(g_.Get(), Gdiplus::SmoothingModeAntiAlias);
  }

  float S(float v) const { return ScaleForDpi(v, dpi_); }
  LONG S(LONG v) const { return ScaleForDpi(int(v), dpi_); }
  RECT S(const RECT& r) const { return {S(r.left), S(r.top), S(r.right), S(r.bottom)}; }

  void Round(float x, float y, float w, float h, float r, uint32_t fill, uint32_t stroke = 0) {
    if (!g_) return;
    ScopedGpPath path(RoundedRectPath(S(x), S(y), S(w), S(h), S(r)));
    if (!path) return;
    if (fill) {
      ScopedGpSolidFill brush;
      if (GdipCreateSolidFill(fill, brush.Put()) == Gdiplus::Ok) GdipFillPath(g_.Get(), brush.Get(), path.Get());
    }
    if (stroke) {
      ScopedGpPen pen;
      if (GdipCreatePen1(stroke, S(1.0f), Gdiplus::UnitPixel, pen.Put()) == Gdiplus::Ok)
        GdipDrawPath(g_.Get(), pen.Get(), path.Get());
    }
  }
  void Ellipse(float x, float y, float w, float h, uint32_t fill) {
    if (!g_) return;
    ScopedGpSolidFill brush;
    if (GdipCreateSolidFill(fill, brush.Put()) == Gdiplus::Ok)
      GdipFillEllipse(g_.Get(), brush.Get(), S(x), S(y), S(w), S(h));
  }
  void Line(float x1, float y1, float x2, float y2, uint32_t colour, float width) {
    if (!g_) return;
    ScopedGpPen pen;
    if (GdipCreatePen1(colour, S(width), Gdiplus::UnitPixel, pen.Put()) != Gdiplus::Ok) return;
    GdipSetPenStartCap(pen.Get(), Gdiplus::LineCapRound);
    GdipSetPenEndCap(pen.Get(), Gdiplus::LineCapRound);
    GdipDrawLine(g_.Get(), pen.Get(), S(x1), S(y1), S(x2), S(y2));
  }
  void Fill(RECT rc, COLORREF colour) {
    if (g_) GdipFlush(g_.Get(), Gdiplus::FlushIntentionSync);
    RECT r = S(rc);
    FillRect(dc_, &r, ScopedGdiObj<HBRUSH>(CreateSolidBrush(colour)).Get());
  }
  // GDI text after the GDI+ shapes: flush so the order holds.
  void Text(std::string_view gbk, RECT rc, FontId font, COLORREF colour, UINT format) {
    if (g_) GdipFlush(g_.Get(), Gdiplus::FlushIntentionSync);
    ScopedSelection face = SelectScoped(dc_, LayoutFont(font, dpi_));
    SetTextColor(dc_, colour);
    SetBkMode(dc_, TRANSPARENT);
    std::wstring w = Wide(gbk);
    RECT r = S(rc);
    DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &r, format | DT_NOPREFIX);
  }
  // The width of a text in 96-DPI units.
  int TextWidth(std::string_view gbk, FontId font) {
    ScopedSelection face = SelectScoped(dc_, LayoutFont(font, dpi_));
    std::wstring w = Wide(gbk);
    SIZE size{};
    GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
    return static_cast<int>(int64_t(size.cx) * kDesignDpi / (dpi_ ? dpi_ : kDesignDpi));
  }

 private:
  HDC dc_;
  UINT dpi_;
  ScopedGpGraphics g_;
};

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The small line icons of the navigation.
void NavGlyph(Canvas& c, std::string_view mark, float x, float y, uint32_t col) {
  if (mark == "home") {
    c.Line(x, y + 7, x + 8, y, col, 1.6f);
    c.Line(x + 8, y, x + 16, y + 7, col, 1.6f);
    c.Line(x + 3, y + 6, x + 3, y + 15, col, 1.6f);
    c.Line(x + 13, y + 6, x + 13, y + 15, col, 1.6f);
    c.Line(x + 3, y + 15, x + 13, y + 15, col, 1.6f);
  } else if (mark == "grid") {
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 2; ++j) c.Round(x + 9.0f * float(i), y + 9.0f * float(j), 7, 7, 1.5f, col);
  } else if (mark == "star") {
    const float px[] = {8, 10.4f, 16, 11.6f, 13, 8, 3, 4.4f, 0, 5.6f};
    const float py[] = {0, 5.2f, 5.8f, 9.6f, 15, 12.2f, 15, 9.6f, 5.8f, 5.2f};
    for (int i = 0; i < 10; ++i) c.Line(x + px[i], y + py[i], x + px[(i + 1) % 10], y + py[(i + 1) % 10], col, 1.4f);
  } else if (mark == "gear") {
    c.Ellipse(x + 2, y + 2, 12, 12, col);
    c.Ellipse(x + 5, y + 5, 6, 6, Argb(kNavBack));
  } else if (mark == "log") {
    c.Round(x + 2, y, 12, 16, 2, 0, col);
    c.Line(x + 5, y + 5, x + 11, y + 5, col, 1.4f);
    c.Line(x + 5, y + 9, x + 11, y + 9, col, 1.4f);
  } else if (mark == "heart") {
    c.Ellipse(x + 1, y + 2, 8, 8, col);
    c.Ellipse(x + 7, y + 2, 8, 8, col);
    c.Line(x + 2, y + 8, x + 8, y + 14, col, 3);
    c.Line(x + 14, y + 8, x + 8, y + 14, col, 3);
  } else {
    c.Ellipse(x + 5, y + 5, 6, 6, col);
  }
}

void PaintTile(Canvas& c, std::string_view mark, float x, float y, float size, FontId font) {
  c.Round(x, y, size, size, size / 4, Argb(kAccent));
  RECT rc{LONG(x), LONG(y), LONG(x + size), LONG(y + size)};
  c.Text(mark, rc, font, RGB(255, 255, 255), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

HFONT LayoutFont(FontId id, UINT dpi) {
  // One set per resolution in use (most sessions see one or two).
  using FontSet = std::array<HFONT, size_t(FontId::kCount)>;
  static std::map<UINT, FontSet> sets;
  if (dpi == 0) dpi = kDesignDpi;
  auto found = sets.find(dpi);
  if (found != sets.end()) return found->second[size_t(id)];
  FontSet fonts = [dpi] {
    struct Spec {
      int height, weight;
    };
    // In FontId order: Body, Small, Nav, Strong, Heading, Title, Product, Big, ToolsText, ToolsHeader.
    const Spec specs[] = {{-13, FW_NORMAL}, {-12, FW_NORMAL}, {-14, FW_NORMAL}, {-14, FW_BOLD},   {-16, FW_BOLD},
                          {-20, FW_BOLD},   {-22, FW_BOLD},   {-20, FW_BOLD},   {-12, FW_NORMAL}, {-18, FW_BOLD}};
    static_assert(std::size(specs) == size_t(FontId::kCount));
    std::array<HFONT, size_t(FontId::kCount)> out{};
    for (size_t i = 0; i < out.size(); ++i)
      out[i] = CreateFontW(ScaleForDpi(specs[i].height, dpi), 0, 0, 0, specs[i].weight, 0, 0, 0, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, FaceName());
    return out;
  }();
  sets.emplace(dpi, fonts);
  return fonts[size_t(id)];
}

COLORREF RowTextColour(const LayoutRow& row) {
  if (row.flags & kWarning) return kWarningText;
  if (row.flags & kAccentText) return kAccent;
  if (row.flags & kMuted) return kMutedText;
  return kText;
}

bool OnNavigationColour(const LayoutRow& row) { return row.parent == kInNav || row.name == layout::kNavColumn; }

namespace {

// What every painter gets: the canvas over the row's DC, its size (in
// 96-DPI units, and dw x dh in pixels), the row, its current caption and
// its state.
struct PaintJob {
  Canvas& c;
  HDC dc;
  int w, h;
  float fw, fh;
  int dw, dh;
  const LayoutRow& row;
  std::string_view caption;
  const SkinState& state;
};

constexpr UINT kOneLine = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;

// The regions' borders towards the page area.
void PaintRegion(const PaintJob& j) {
  if (j.row.parent == kInWindow && j.row.name == layout::kTopBar)
    j.c.Line(0, j.fh - 1, j.fw, j.fh - 1, Argb(kBorder), 1);
  if (j.row.name == layout::kNavColumn) j.c.Line(j.fw - 1, 0, j.fw - 1, j.fh, Argb(kBorder), 1);
}

void PaintLine(const PaintJob& j) {
  RECT all{0, 0, j.dw, j.dh};  // the whole window, whatever its resolution
  FillRect(j.dc, &all, ScopedGdiObj<HBRUSH>(CreateSolidBrush(kBorder)).Get());
}

void PaintBar(const PaintJob& j) { j.c.Round(0, 0, j.fw, j.fh, 2, Argb(kAccent)); }

// 主页 … 赞助与支持: a tinted pill when selected or hovered, a glyph (or a
// small square for B1 … x) and the caption without its trailing spaces.
void PaintNavigation(const PaintJob& j) {
  bool on = j.state.selected;
  if (on)
    j.c.Round(0.5f, 0.5f, j.fw - 1, j.fh - 1, 8, Argb(kTint));
  else if (j.state.hover)
    j.c.Round(0.5f, 0.5f, j.fw - 1, j.fh - 1, 8, Argb(RGB(0xEC, 0xF1, 0xF7)));
  COLORREF col = on ? kAccent : kText;
  float gy = (j.fh - 16) / 2;
  float gx = j.row.kind == RowKind::NavText ? 18.0f : 16.0f;
  if (j.row.kind == RowKind::NavText)
    j.c.Round(gx + 4, gy + 4, 8, 8, 2, Argb(on ? kAccent : kMutedText));
  else
    NavGlyph(j.c, j.row.mark, gx, gy, Argb(col));
  RECT rc{LONG(gx + 28), 0, j.w - 4, j.h};
  j.c.Text(TrimRight(j.caption), rc, on ? FontId::Strong : FontId::Nav, col, kOneLine);
}

// Cards with a detail line are feature cards: tile at the left, name and detail.
void PaintFeatureCard(const PaintJob& j) {
  PaintTile(j.c, j.row.mark, 24, (j.fh - 44) / 2, 44, FontId::Heading);
  RECT name{80, LONG(j.fh / 2 - 26), j.w - 18, LONG(j.fh / 2)};
  // A long name takes the smaller bold face rather than being cut.
  FontId face = FontId::Body;
  for (FontId f : {FontId::Heading, FontId::Strong})
    if (j.c.TextWidth(j.caption, f) <= name.right - name.left) {
      face = f;
      break;
    }
  j.c.Text(j.caption, name, face, j.state.hover ? kAccent : kText, DT_SINGLELINE | DT_BOTTOM | DT_END_ELLIPSIS);
  RECT detail{80, LONG(j.fh / 2 + 4), j.w - 18, LONG(j.fh / 2 + 26)};
  j.c.Text(j.row.detail, detail, FontId::Body, kMutedText, DT_SINGLELINE | DT_TOP | DT_END_ELLIPSIS);
}

// Other cards frame rows: an accent mark and heading, a small tile at the right.
void PaintCard(const PaintJob& j) {
  bool click = IsClickable(j.row);
  j.c.Round(6.5f, 6.5f, j.fw - 13, j.fh - 13, 10, Argb(RGB(255, 255, 255)),
            Argb(click && j.state.hover ? kAccent : kBorder));
  if (!j.row.detail.empty()) return PaintFeatureCard(j);
  j.c.Round(22, 22, 3, 16, 1.5f, Argb(kAccent));
  RECT head{32, 18, j.w - 60, 44};
  j.c.Text(j.caption, head, FontId::Strong, kText, kOneLine);
  PaintTile(j.c, j.row.mark, j.fw - 50, 18, 28, FontId::Small);
}

// Text boxes, line boxes, lists and groups: a white frame.
void PaintFrame(const PaintJob& j) {
  float radius = j.row.kind == RowKind::Group ? 10.0f : 8.0f;
  j.c.Round(0.5f, 0.5f, j.fw - 1, j.fh - 1, radius, Argb(RGB(255, 255, 255)), Argb(kBorder));
}

void PaintSection(const PaintJob& j) {
  j.c.Round(0, (j.fh - 16) / 2, 4, 16, 2, Argb(kAccent));
  std::string_view text = j.caption;
  if (text.substr(0, 2) == "| ") text.remove_prefix(2);
  RECT rc{12, 0, j.w, j.h};
  j.c.Text(text, rc, j.row.font, kText, kOneLine);
}

void PaintLink(const PaintJob& j) {
  RECT rc{0, 0, j.w, j.h};
  j.c.Text(j.caption, rc, j.row.font, j.state.hover ? kAccentDark : kAccent,
           kOneLine | (j.row.parent == kInTop ? DT_LEFT : DT_RIGHT));
}

void PaintButton(const PaintJob& j) {
  COLORREF fill = j.state.pressed ? kAccentDark : j.state.hover ? RGB(0x22, 0x99, 0xFF) : kAccent;
  j.c.Round(0.5f, 0.5f, j.fw - 1, j.fh - 1, 8, Argb(fill));
  RECT rc{0, 0, j.w, j.h};
  j.c.Text(j.caption, rc, j.row.font, RGB(255, 255, 255), kOneLine | DT_CENTER);
}

// A document tile: a page with lines and its type, and the hint below.
void PaintDocumentTile(const PaintJob& j, float top, float tile) {
  float x = (j.fw - 44) / 2;
  j.c.Round(x, top, 44, tile, 6, Argb(RGB(255, 255, 255)), Argb(kAccent));
  j.c.Round(x - 4, top + tile - 22, 52, 16, 3, Argb(kAccent));
  RECT t{LONG(x - 4), LONG(top + tile - 22), LONG(x + 48), LONG(top + tile - 6)};
  j.c.Text(j.row.mark, t, FontId::Small, RGB(255, 255, 255), kOneLine | DT_CENTER);
  for (int i = 0; i < 3; ++i)
    j.c.Line(x + 9, top + 10 + 7.0f * float(i), x + 35, top + 10 + 7.0f * float(i), Argb(kBorder), 2);
  RECT rc{8, LONG(top + tile + 10), j.w - 8, LONG(top + tile + 32)};
  j.c.Text("点击打开文档", rc, FontId::Small, kMutedText, kOneLine | DT_CENTER);
}

// A font tile: a sample in the accent colour and the hint below.
void PaintFontTile(const PaintJob& j, float top, float tile) {
  RECT sample{0, LONG(top - 4), j.w, LONG(top + tile)};
  j.c.Text("青岚 Aa", sample, FontId::Title, kAccent, kOneLine | DT_CENTER);
  RECT rc{8, LONG(top + tile + 8), j.w - 8, LONG(top + tile + 32)};
  j.c.Text("点击获取字体", rc, FontId::Small, kMutedText, kOneLine | DT_CENTER);
}

void PaintPicture(const PaintJob& j) {
  j.c.Round(0.5f, 0.5f, j.fw - 1, j.fh - 1, 12, Argb(j.state.hover ? RGB(0xDD, 0xEE, 0xFF) : kTint),
            Argb(j.state.hover ? kAccent : RGB(0xD6, 0xE8, 0xFB)));
  bool doc = j.row.mark == "DOC" || j.row.mark == "DOCX";
  float tile = doc ? 56 : 52;
  float top = (j.fh - tile - 34) / 2;
  if (doc) return PaintDocumentTile(j, top, tile);
  if (j.row.mark == "Aa") return PaintFontTile(j, top, tile);
  PaintTile(j.c, j.row.mark, (j.fw - tile) / 2, top, tile, FontId::Title);
  RECT rc{6, LONG(top + tile + 8), j.w - 6, LONG(top + tile + 32)};
  j.c.Text(j.caption, rc, j.row.font, kText, kOneLine | DT_CENTER);
}

void PaintCaption(const PaintJob& j) {
  RECT rc{0, 0, j.w, j.h};
  j.c.Text(j.caption, rc, FontId::Strong, kText, kOneLine | DT_CENTER);
}

void PaintIcon(const PaintJob& j) { PaintTile(j.c, j.row.mark, 0.5f, 0.5f, j.fw - 1, FontId::Heading); }

void PaintBanner(const PaintJob& j) {
  j.c.Round(0.5f, 0.5f, j.fw - 1, j.fh - 1, 10, Argb(kAccent));
  j.c.Ellipse(j.fw - 120, -30, 110, 110, Argb(RGB(255, 255, 255), 40));
  j.c.Ellipse(j.fw - 60, 10, 80, 80, Argb(RGB(255, 255, 255), 30));
  RECT head{20, 0, j.w / 2, j.h};
  j.c.Text(j.caption, head, FontId::Heading, RGB(255, 255, 255), kOneLine);
  RECT detail{j.w / 2 - 40, 0, j.w - 140, j.h};
  j.c.Text(j.row.detail, detail, FontId::Body, RGB(0xE6, 0xF2, 0xFF), kOneLine | DT_RIGHT);
}

// Soft accent dots in the upper part that the top bar shows; the top bar's
// bottom border runs through the picture.
void PaintDeco(const PaintJob& j) {
  float cx = j.fw / 2, cy = 20;
  j.c.Ellipse(cx - 4, cy - 4, 8, 8, Argb(kAccent, 50));
  j.c.Ellipse(cx + 10, cy + 6, 5, 5, Argb(kAccent, 35));
  float border = float(59 - j.row.y);
  j.c.Line(0, border, j.fw, border, Argb(kBorder), 1);
}

void PaintAvatar(const PaintJob& j) {
  j.c.Ellipse(0.5f, 0.5f, j.fw - 1, j.fh - 1, Argb(kAccent));
  RECT rc{0, 0, j.w, j.h};
  j.c.Text(j.row.mark, rc, FontId::Heading, RGB(255, 255, 255), kOneLine | DT_CENTER);
}

void PaintWindowButton(const PaintJob& j) {
  bool close = j.row.mark == "close";
  uint32_t col = Argb(j.state.hover ? (close ? kWarningText : kAccent) : kMutedText);
  if (close) {
    j.c.Line(3, 3, j.fw - 3, j.fh - 3, col, 1.6f);
    j.c.Line(j.fw - 3, 3, 3, j.fh - 3, col, 1.6f);
  } else {
    j.c.Line(2, j.fh / 2, j.fw - 2, j.fh / 2, col, 1.6f);
  }
}

using Painter = void (*)(const PaintJob&);

// nullptr: the kind is not drawn (texts, edits and system controls draw themselves).
Painter PainterFor(RowKind kind) {
  switch (kind) {
    case RowKind::Region: return PaintRegion;
    case RowKind::Line: return PaintLine;
    case RowKind::Bar: return PaintBar;
    case RowKind::NavPicture:
    case RowKind::NavText:
    case RowKind::NavBottom: return PaintNavigation;
    case RowKind::Card: return PaintCard;
    case RowKind::TextBox:
    case RowKind::LineBox:
    case RowKind::List:
    case RowKind::Group: return PaintFrame;
    case RowKind::Section: return PaintSection;
    case RowKind::Link: return PaintLink;
    case RowKind::Button: return PaintButton;
    case RowKind::Picture: return PaintPicture;
    case RowKind::Caption: return PaintCaption;
    case RowKind::Icon: return PaintIcon;
    case RowKind::Banner: return PaintBanner;
    case RowKind::Deco: return PaintDeco;
    case RowKind::Avatar: return PaintAvatar;
    case RowKind::WindowButton: return PaintWindowButton;
    default: return nullptr;
  }
}

}  // namespace

void PaintLayoutRow(HDC dc, int w, int h, const LayoutRow& row, std::string_view caption, const SkinState& state,
                    UINT dpi) {
  RECT all{0, 0, w, h};
  FillRect(dc, &all, ScopedGdiObj<HBRUSH>(CreateSolidBrush(OnNavigationColour(row) ? kNavBack : kPageBack)).Get());
  Painter paint = PainterFor(row.kind);
  if (paint) {
    Canvas c(dc, dpi);
    // The window's size in 96-DPI units (exact at 96).
    float unit = (dpi == 0 || dpi == kDesignDpi) ? 1.0f : float(dpi) / float(kDesignDpi);
    float fw = float(w) / unit, fh = float(h) / unit;
    paint(PaintJob{c, dc, int(std::lround(fw)), int(std::lround(fh)), fw, fh, w, h, row, caption, state});
  }
  // The keyboard's focus: a dotted frame just inside the control.
  if (state.focused && w > 4 && h > 4) {
    RECT cue{1, 1, w - 1, h - 1};
    SetTextColor(dc, kText);
    SetBkColor(dc, OnNavigationColour(row) ? kNavBack : kPageBack);
    DrawFocusRect(dc, &cue);
  }
}

}  // namespace ql
