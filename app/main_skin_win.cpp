// Drawing of the main window's pictures: flat shapes in one accent colour,
// anti-aliased through GDI+, and text through GDI in the chosen face.
#include "app/main_skin_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include <array>
#include <string>

#include "platform/scoped_gdiplus_win.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
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

class Canvas {
 public:
  explicit Canvas(HDC dc) : dc_(dc) {
    GdipCreateFromHDC(dc, g_.Put());
    if (g_) GdipSetSmoothingMode(g_.Get(), Gdiplus::SmoothingModeAntiAlias);
  }

  void Round(float x, float y, float w, float h, float r, uint32_t fill, uint32_t stroke = 0) {
    if (!g_) return;
    ScopedGpPath path(RoundedRectPath(x, y, w, h, r));
    if (!path) return;
    if (fill) {
      ScopedGpSolidFill brush;
      if (GdipCreateSolidFill(fill, brush.Put()) == Gdiplus::Ok) GdipFillPath(g_.Get(), brush.Get(), path.Get());
    }
    if (stroke) {
      ScopedGpPen pen;
      if (GdipCreatePen1(stroke, 1.0f, Gdiplus::UnitPixel, pen.Put()) == Gdiplus::Ok)
        GdipDrawPath(g_.Get(), pen.Get(), path.Get());
    }
  }
  void Ellipse(float x, float y, float w, float h, uint32_t fill) {
    if (!g_) return;
    ScopedGpSolidFill brush;
    if (GdipCreateSolidFill(fill, brush.Put()) == Gdiplus::Ok) GdipFillEllipse(g_.Get(), brush.Get(), x, y, w, h);
  }
  void Line(float x1, float y1, float x2, float y2, uint32_t colour, float width) {
    if (!g_) return;
    ScopedGpPen pen;
    if (GdipCreatePen1(colour, width, Gdiplus::UnitPixel, pen.Put()) != Gdiplus::Ok) return;
    GdipSetPenStartCap(pen.Get(), Gdiplus::LineCapRound);
    GdipSetPenEndCap(pen.Get(), Gdiplus::LineCapRound);
    GdipDrawLine(g_.Get(), pen.Get(), x1, y1, x2, y2);
  }
  // GDI text after the GDI+ shapes: flush so the order holds.
  void Text(std::string_view gbk, RECT rc, FontId font, COLORREF colour, UINT format) {
    if (g_) GdipFlush(g_.Get(), Gdiplus::FlushIntentionSync);
    ScopedSelection face = SelectScoped(dc_, SkinFont(font));
    SetTextColor(dc_, colour);
    SetBkMode(dc_, TRANSPARENT);
    std::wstring w = Wide(gbk);
    DrawTextW(dc_, w.c_str(), static_cast<int>(w.size()), &rc, format | DT_NOPREFIX);
  }

 private:
  HDC dc_;
  ScopedGpGraphics g_;
};

int TextWidth(HDC dc, std::string_view gbk, FontId font) {
  ScopedSelection face = SelectScoped(dc, SkinFont(font));
  std::wstring w = Wide(gbk);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  return size.cx;
}

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

HFONT SkinFont(FontId id) {
  static std::array<HFONT, size_t(FontId::kCount)> fonts = [] {
    struct Spec {
      int height, weight;
    };
    const Spec specs[] = {{-13, FW_NORMAL}, {-12, FW_NORMAL}, {-14, FW_NORMAL}, {-14, FW_BOLD},
                          {-16, FW_BOLD},   {-20, FW_BOLD},   {-22, FW_BOLD},   {-20, FW_BOLD}};
    std::array<HFONT, size_t(FontId::kCount)> out{};
    for (size_t i = 0; i < out.size(); ++i)
      out[i] = CreateFontW(specs[i].height, 0, 0, 0, specs[i].weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, FaceName());
    return out;
  }();
  return fonts[size_t(id)];
}

COLORREF RowTextColour(const LayoutRow& row) {
  if (row.flags & kWarning) return kWarningText;
  if (row.flags & kAccentText) return kAccent;
  if (row.flags & kMuted) return kMutedText;
  return kText;
}

void PaintSkinRow(HDC dc, int w, int h, const LayoutRow& row, std::string_view caption, const SkinState& s) {
  bool nav = row.parent == kInNav || row.name == "导航栏";
  COLORREF back = nav ? kNavBack : kPageBack;
  RECT all{0, 0, w, h};
  ScopedGdiObj<HBRUSH> backBrush(CreateSolidBrush(back));
  FillRect(dc, &all, backBrush.Get());
  Canvas c(dc);
  const float fw = float(w), fh = float(h);
  const UINT one = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  switch (row.kind) {
    case RowKind::Region:
      if (row.parent == kInWindow && row.name == "顶栏") c.Line(0, fh - 1, fw, fh - 1, Argb(kBorder), 1);
      if (row.name == "导航栏") c.Line(fw - 1, 0, fw - 1, fh, Argb(kBorder), 1);
      break;
    case RowKind::Line: FillRect(dc, &all, ScopedGdiObj<HBRUSH>(CreateSolidBrush(kBorder)).Get()); break;
    case RowKind::Bar: c.Round(0, 0, fw, fh, 2, Argb(kAccent)); break;
    case RowKind::NavPicture:
    case RowKind::NavText:
    case RowKind::NavBottom: {
      bool on = s.selected;
      if (on)
        c.Round(0.5f, 0.5f, fw - 1, fh - 1, 8, Argb(kTint));
      else if (s.hover)
        c.Round(0.5f, 0.5f, fw - 1, fh - 1, 8, Argb(RGB(0xEC, 0xF1, 0xF7)));
      COLORREF col = on ? kAccent : kText;
      float gy = (fh - 16) / 2;
      float gx = row.kind == RowKind::NavText ? 18.0f : 16.0f;
      if (row.kind == RowKind::NavText) {
        c.Round(gx + 4, gy + 4, 8, 8, 2, Argb(on ? kAccent : kMutedText));
      } else {
        NavGlyph(c, row.mark, gx, gy, Argb(col));
      }
      RECT rc{LONG(gx + 28), 0, w - 4, h};
      c.Text(TrimRight(caption), rc, on ? FontId::Strong : FontId::Nav, col, one);
      break;
    }
    case RowKind::Card: {
      bool click = IsClickable(row);
      c.Round(6.5f, 6.5f, fw - 13, fh - 13, 10, Argb(RGB(255, 255, 255)), Argb(click && s.hover ? kAccent : kBorder));
      if (!row.detail.empty()) {
        // Feature card: tile at the left, name and a line of detail.
        PaintTile(c, row.mark, 24, (fh - 44) / 2, 44, FontId::Heading);
        RECT name{80, LONG(fh / 2 - 26), w - 18, LONG(fh / 2)};
        // A long name takes the smaller bold face rather than being cut.
        FontId face = FontId::Body;
        for (FontId f : {FontId::Heading, FontId::Strong})
          if (TextWidth(dc, caption, f) <= name.right - name.left) {
            face = f;
            break;
          }
        c.Text(caption, name, face, s.hover ? kAccent : kText, DT_SINGLELINE | DT_BOTTOM | DT_END_ELLIPSIS);
        RECT detail{80, LONG(fh / 2 + 4), w - 18, LONG(fh / 2 + 26)};
        c.Text(row.detail, detail, FontId::Body, kMutedText, DT_SINGLELINE | DT_TOP | DT_END_ELLIPSIS);
      } else {
        RECT head{22, 18, w - 60, 44};
        c.Round(22, 22, 3, 16, 1.5f, Argb(kAccent));
        head.left = 32;
        c.Text(caption, head, FontId::Strong, kText, one);
        PaintTile(c, row.mark, fw - 50, 18, 28, FontId::Small);
      }
      break;
    }
    case RowKind::TextBox:
    case RowKind::LineBox:
    case RowKind::List: c.Round(0.5f, 0.5f, fw - 1, fh - 1, 8, Argb(RGB(255, 255, 255)), Argb(kBorder)); break;
    case RowKind::Group: c.Round(0.5f, 0.5f, fw - 1, fh - 1, 10, Argb(RGB(255, 255, 255)), Argb(kBorder)); break;
    case RowKind::Section: {
      c.Round(0, (fh - 16) / 2, 4, 16, 2, Argb(kAccent));
      std::string_view text = caption;
      if (text.substr(0, 2) == "| ") text.remove_prefix(2);
      RECT rc{12, 0, w, h};
      c.Text(text, rc, row.font, kText, one);
      break;
    }
    case RowKind::Link: {
      RECT rc{0, 0, w, h};
      c.Text(caption, rc, row.font, s.hover ? kAccentDark : kAccent, one | (row.parent == kInTop ? DT_LEFT : DT_RIGHT));
      break;
    }
    case RowKind::Button: {
      c.Round(0.5f, 0.5f, fw - 1, fh - 1, 8, Argb(s.pressed ? kAccentDark : s.hover ? RGB(0x22, 0x99, 0xFF) : kAccent));
      RECT rc{0, 0, w, h};
      c.Text(caption, rc, row.font, RGB(255, 255, 255), one | DT_CENTER);
      break;
    }
    case RowKind::Picture: {
      c.Round(0.5f, 0.5f, fw - 1, fh - 1, 12, Argb(s.hover ? RGB(0xDD, 0xEE, 0xFF) : kTint),
              Argb(s.hover ? kAccent : RGB(0xD6, 0xE8, 0xFB)));
      bool doc = row.mark == "DOC" || row.mark == "DOCX";
      bool font = row.mark == "Aa";
      float tile = doc ? 56 : 52;
      float top = (fh - tile - 34) / 2;
      if (doc) {
        float x = (fw - 44) / 2;
        c.Round(x, top, 44, tile, 6, Argb(RGB(255, 255, 255)), Argb(kAccent));
        c.Round(x - 4, top + tile - 22, 52, 16, 3, Argb(kAccent));
        RECT t{LONG(x - 4), LONG(top + tile - 22), LONG(x + 48), LONG(top + tile - 6)};
        c.Text(row.mark, t, FontId::Small, RGB(255, 255, 255), one | DT_CENTER);
        for (int i = 0; i < 3; ++i)
          c.Line(x + 9, top + 10 + 7.0f * float(i), x + 35, top + 10 + 7.0f * float(i), Argb(kBorder), 2);
        RECT rc{8, LONG(top + tile + 10), w - 8, LONG(top + tile + 32)};
        c.Text("点击打开文档", rc, FontId::Small, kMutedText, one | DT_CENTER);
      } else if (font) {
        RECT sample{0, LONG(top - 4), w, LONG(top + tile)};
        c.Text("青岚 Aa", sample, FontId::Title, kAccent, one | DT_CENTER);
        RECT rc{8, LONG(top + tile + 8), w - 8, LONG(top + tile + 32)};
        c.Text("点击获取字体", rc, FontId::Small, kMutedText, one | DT_CENTER);
      } else {
        PaintTile(c, row.mark, (fw - tile) / 2, top, tile, FontId::Title);
        RECT rc{6, LONG(top + tile + 8), w - 6, LONG(top + tile + 32)};
        c.Text(caption, rc, row.font, kText, one | DT_CENTER);
      }
      break;
    }
    case RowKind::Caption: {
      RECT rc{0, 0, w, h};
      c.Text(caption, rc, FontId::Strong, kText, one | DT_CENTER);
      break;
    }
    case RowKind::Icon: PaintTile(c, row.mark, 0.5f, 0.5f, fw - 1, FontId::Heading); break;
    case RowKind::Banner: {
      c.Round(0.5f, 0.5f, fw - 1, fh - 1, 10, Argb(kAccent));
      c.Ellipse(fw - 120, -30, 110, 110, Argb(RGB(255, 255, 255), 40));
      c.Ellipse(fw - 60, 10, 80, 80, Argb(RGB(255, 255, 255), 30));
      RECT head{20, 0, w / 2, h};
      c.Text(caption, head, FontId::Heading, RGB(255, 255, 255), one);
      RECT detail{w / 2 - 40, 0, w - 140, h};
      c.Text(row.detail, detail, FontId::Body, RGB(0xE6, 0xF2, 0xFF), one | DT_RIGHT);
      break;
    }
    case RowKind::Deco: {
      // Soft accent dots in the upper part that the top bar shows.
      float cx = fw / 2, cy = 20;
      c.Ellipse(cx - 4, cy - 4, 8, 8, Argb(kAccent, 50));
      c.Ellipse(cx + 10, cy + 6, 5, 5, Argb(kAccent, 35));
      // The top bar's bottom border runs through the picture.
      float border = float(59 - row.y);
      c.Line(0, border, fw, border, Argb(kBorder), 1);
      break;
    }
    case RowKind::Avatar: {
      c.Ellipse(0.5f, 0.5f, fw - 1, fh - 1, Argb(kAccent));
      RECT rc{0, 0, w, h};
      c.Text(row.mark, rc, FontId::Heading, RGB(255, 255, 255), one | DT_CENTER);
      break;
    }
    case RowKind::WindowButton: {
      uint32_t col = Argb(s.hover ? (row.mark == "close" ? kWarningText : kAccent) : kMutedText);
      if (row.mark == "close") {
        c.Line(3, 3, fw - 3, fh - 3, col, 1.6f);
        c.Line(fw - 3, 3, 3, fh - 3, col, 1.6f);
      } else {
        c.Line(2, fh / 2, fw - 2, fh / 2, col, 1.6f);
      }
      break;
    }
    default: break;
  }
}

}  // namespace ql
