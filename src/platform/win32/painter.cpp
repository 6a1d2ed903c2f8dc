#include "platform/win32/painter.h"

#include <cmath>

#include "base/values.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_bitmap.h"

namespace quavero::platform::win32 {
namespace {

int Px(double v) { return static_cast<int>(std::lround(v)); }

COLORREF Colour(int32_t c) { return static_cast<COLORREF>(c) & 0xFFFFFF; }

}  // namespace

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

void Painter::Paint(const ui::Form& form, HDC dc, int width, int height) {
  HBRUSH back = CreateSolidBrush(Colour(form.back_color()));
  RECT all{0, 0, width, height};
  FillRect(dc, &all, back);
  DeleteObject(back);

  HDC source = CreateCompatibleDC(dc);
  if (const Win32Bitmap* picture = BitmapOf(form.picture())) {
    HGDIOBJ old = SelectObject(source, picture->bitmap);
    BitBlt(dc, 0, 0, picture->width, picture->height, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
  }
  for (const ui::Control* c : form.PaintOrder()) {
    switch (c->kind()) {
      case ui::ControlKind::kImage: PaintImage(static_cast<const ui::Image&>(*c), dc, source); break;
      case ui::ControlKind::kLabel: PaintLabel(static_cast<const ui::Label&>(*c), dc); break;
      case ui::ControlKind::kLine: PaintLine(static_cast<const ui::Line&>(*c), dc); break;
      default: break;
    }
  }
  DeleteDC(source);
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
    HRGN clip = CreateRectRgn(left, top, left + width, top + height);
    SelectClipRgn(dc, clip);
    StretchBlt(dc, left, top, full, height, source, 0, 0, picture->width, picture->height, SRCCOPY);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
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
