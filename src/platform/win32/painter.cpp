#include "platform/win32/painter.h"

#include <algorithm>
#include <cmath>

#include "base/values.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_bitmap.h"

namespace quavero::platform::win32 {
namespace {

int Px(double v) { return static_cast<int>(std::lround(v)); }

COLORREF Colour(int32_t c) { return static_cast<COLORREF>(c) & 0xFFFFFF; }

}  // namespace

RECT BoundsOf(const ui::Control& control) {
  if (control.kind() == ui::ControlKind::kLine) {
    const auto& line = static_cast<const ui::Line&>(control);
    int x1 = Px(line.x1()), y1 = Px(line.y1()), x2 = Px(line.x2()), y2 = Px(line.y2());
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
  }
  return {static_cast<int>(std::floor(control.left())), static_cast<int>(std::floor(control.top())),
          static_cast<int>(std::ceil(control.left() + control.width())) + 1,
          static_cast<int>(std::ceil(control.top() + control.height())) + 1};
}

Painter::~Painter() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT Painter::Font(const ui::Font& font) {
  int height = -MulDiv(Px(font.size * 100), 96, 7200);
  auto key = std::make_pair(Wide(font.name), height);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  HFONT handle = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             DEFAULT_PITCH, key.first.c_str());
  fonts_[key] = handle;
  return handle;
}

void Painter::Paint(const ui::Form& form, HDC dc, const RECT& area) {
  int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  HBRUSH back = CreateSolidBrush(Colour(form.back_color()));
  FillRect(dc, &area, back);
  DeleteObject(back);

  HDC source = CreateCompatibleDC(dc);
  if (const Win32Bitmap* picture = BitmapOf(form.picture())) {
    HGDIOBJ old = SelectObject(source, picture->bitmap);
    // The part of the picture (drawn at the corner, at its own size) that lies in the area.
    const int right = std::min<int>(area.right, picture->width);
    const int bottom = std::min<int>(area.bottom, picture->height);
    if (right > area.left && bottom > area.top)
      BitBlt(dc, area.left, area.top, right - area.left, bottom - area.top, source, area.left,
             area.top, SRCCOPY);
    SelectObject(source, old);
  }
  for (const ui::Control* c : form.PaintOrder()) {
    RECT bounds = BoundsOf(*c), overlap;
    if (!IntersectRect(&overlap, &bounds, &area)) continue;
    switch (c->kind()) {
      case ui::ControlKind::kImage: PaintImage(static_cast<const ui::Image&>(*c), dc, source); break;
      case ui::ControlKind::kLabel: PaintLabel(static_cast<const ui::Label&>(*c), dc); break;
      case ui::ControlKind::kLine: PaintLine(static_cast<const ui::Line&>(*c), dc); break;
      default: break;
    }
  }
  DeleteDC(source);
  RestoreDC(dc, saved);
}

void Painter::PaintImage(const ui::Image& image, HDC dc, HDC source) {
  const Win32Bitmap* picture = BitmapOf(image.picture());
  if (!picture || image.width() <= 0 || image.height() <= 0) return;
  HGDIOBJ old = SelectObject(source, picture->bitmap);
  SetStretchBltMode(dc, HALFTONE);
  int left = Px(image.left()), top = Px(image.top());
  int width = Px(image.width()), height = Px(image.height());
  if (image.layer() == ui::Layer::kProgress) {
    // The bar's picture spans its full width and shows as far as the bar has grown.
    int full = Px(values::LeadingNumber(image.tag()));
    if (full <= 0) full = width;
    int saved = SaveDC(dc);  // within the area being painted, and within the bar
    IntersectClipRect(dc, left, top, left + width, top + height);
    if (full == picture->width && height == picture->height)
      BitBlt(dc, left, top, full, height, source, 0, 0, SRCCOPY);
    else
      StretchBlt(dc, left, top, full, height, source, 0, 0, picture->width, picture->height,
                 SRCCOPY);
    RestoreDC(dc, saved);
  } else if (width == picture->width && height == picture->height) {
    BitBlt(dc, left, top, width, height, source, 0, 0, SRCCOPY);  // at its own size: a copy
  } else {
    StretchBlt(dc, left, top, width, height, source, 0, 0, picture->width, picture->height,
               SRCCOPY);
  }
  SelectObject(source, old);
}

void Painter::PaintLabel(const ui::Label& label, HDC dc) {
  RECT r{Px(label.left()), Px(label.top()), Px(label.left() + label.width()),
         Px(label.top() + label.height())};
  if (label.opaque()) {
    HBRUSH brush = CreateSolidBrush(Colour(label.back_color()));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  HGDIOBJ old = SelectObject(dc, Font(label.font()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Colour(label.fore_color()));
  std::wstring text = Wide(label.caption());
  UINT format = DT_NOPREFIX | DT_SINGLELINE |
                (label.alignment() == ui::Alignment::kCenter ? DT_CENTER : DT_LEFT);
  if (label.layer() == ui::Layer::kOverlay) format |= DT_VCENTER;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
  SelectObject(dc, old);
}

void Painter::PaintLine(const ui::Line& line, HDC dc) {
  HPEN pen = CreatePen(PS_SOLID, 1, Colour(line.color()));
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, Px(line.x1()), Px(line.y1()), nullptr);
  LineTo(dc, Px(line.x2()), Px(line.y2()));
  // A line ends one pixel short of its end point; draw that pixel too, as the frame expects.
  SetPixel(dc, Px(line.x2()), Px(line.y2()), Colour(line.color()));
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace quavero::platform::win32
