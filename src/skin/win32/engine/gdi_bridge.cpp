#include "skin/win32/engine/gdi_bridge.h"

#include <algorithm>
#include <vector>

#include "skin/model/raster.h"
#include "runtime/win32/wide_text.h"

namespace tw::win {

namespace {

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Clips a copy of `from` (in a source of the given size) to (x, y) in a target of the given
// size; false when nothing remains.
bool ClipCopy(Rect& from, int& x, int& y, int sourceWidth, int sourceHeight, int targetWidth,
              int targetHeight) {
  from.left = std::max(from.left, 0);
  from.top = std::max(from.top, 0);
  from.right = std::min(from.right, sourceWidth);
  from.bottom = std::min(from.bottom, sourceHeight);
  if (x < 0) {
    from.left -= x;
    x = 0;
  }
  if (y < 0) {
    from.top -= y;
    y = 0;
  }
  from.right = std::min(from.right, from.left + (targetWidth - x));
  from.bottom = std::min(from.bottom, from.top + (targetHeight - y));
  return !from.Empty();
}

} // namespace

DibSurface::DibSurface(int width, int height)
    : dc_(nullptr), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  const BITMAPINFO info = TopDownInfo(width_, height_);
  void* bits = nullptr;
  bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap_ && dc_.Get() != nullptr) {
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_.Get(), bitmap_.Get());
  }
}

DibSurface::~DibSurface() {
  if (old_ != nullptr)
    SelectObject(dc_.Get(), old_);
}

void DibSurface::Load(const Bitmap32& source, Rect from, int x, int y) {
  if (bits_ == nullptr || !ClipCopy(from, x, y, source.Width(), source.Height(), width_, height_))
    return;
  GdiFlush();
  for (int row = from.top; row < from.bottom; ++row) {
    const auto line = source.Row(row);
    std::copy(line.begin() + from.left, line.begin() + from.right,
              bits_ + static_cast<std::size_t>(y + row - from.top) * width_ + x);
  }
}

void DibSurface::Store(Bitmap32& target, Rect from, int x, int y) const {
  if (bits_ == nullptr || !ClipCopy(from, x, y, width_, height_, target.Width(), target.Height()))
    return;
  GdiFlush();
  for (int row = from.top; row < from.bottom; ++row) {
    const std::uint32_t* line = bits_ + static_cast<std::size_t>(row) * width_;
    auto out = target.Row(y + row - from.top);
    for (int col = from.left; col < from.right; ++col)
      out[x + col - from.left] = line[col] & 0xFFFFFF;
  }
}

void DrawBitmap(HDC dc, int x, int y, const Bitmap32& source, Rect from) {
  from.left = std::max(from.left, 0);
  from.top = std::max(from.top, 0);
  from.right = std::min(from.right, source.Width());
  from.bottom = std::min(from.bottom, source.Height());
  if (from.Empty())
    return;
  // Only the rows wanted are handed over, so the source rectangle starts at their top.
  const BITMAPINFO part = TopDownInfo(source.Width(), from.Height());
  StretchDIBits(dc, x, y, from.Width(), from.Height(), from.left, 0, from.Width(), from.Height(),
                source.Row(from.top).data(), &part, DIB_RGB_COLORS, SRCCOPY);
}

Bitmap32 BitmapFromHandle(HBITMAP bitmap) {
  BITMAP description{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof(description), &description) == 0)
    return {};
  const int width = description.bmWidth;
  const int height = std::abs(description.bmHeight);
  BITMAPINFO info = TopDownInfo(width, height);
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * height);
  ScreenDc screen;
  if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), bits.data(), &info,
                DIB_RGB_COLORS) == 0)
    return {};
  Bitmap32 result(width, height);
  for (int y = 0; y < height; ++y) {
    auto row = result.Row(y);
    for (int x = 0; x < width; ++x)
      row[x] = bits[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF;
  }
  return result;
}

namespace {

// The bitmap's pixels with their alpha bytes, as 32-bit top-down rows.
std::vector<std::uint32_t> RawBits(HBITMAP bitmap, int& width, int& height) {
  BITMAP description{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof(description), &description) == 0)
    return {};
  width = description.bmWidth;
  height = std::abs(description.bmHeight);
  BITMAPINFO info = TopDownInfo(width, height);
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * height);
  ScreenDc screen;
  if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), bits.data(), &info,
                DIB_RGB_COLORS) == 0)
    return {};
  return bits;
}

} // namespace

Bitmap32 BitmapFromIcon(HICON icon, int width, int height) {
  // Each pixel is the icon's colour or magenta, never a blend of both: an edge softened
  // against magenta would show a purple fringe wherever the icon is drawn transparently.
  ICONINFO parts{};
  if (icon == nullptr || !GetIconInfo(icon, &parts))
    return {};
  const Bitmap colourPart(parts.hbmColor);
  const Bitmap maskPart(parts.hbmMask);
  int cw = 0;
  int ch = 0;
  int mw = 0;
  int mh = 0;
  const std::vector<std::uint32_t> colour = RawBits(colourPart.Get(), cw, ch);
  const std::vector<std::uint32_t> mask = RawBits(maskPart.Get(), mw, mh);
  if (colour.empty() || mask.empty())
    return {};
  const bool alpha =
      std::any_of(colour.begin(), colour.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
  Bitmap32 natural(cw, ch, kMagenta);
  for (int y = 0; y < ch; ++y)
    for (int x = 0; x < cw; ++x) {
      const std::uint32_t p = colour[static_cast<std::size_t>(y) * cw + x];
      const bool opaque = alpha ? (p >> 24) >= 128
                                : (y < mh && x < mw &&
                                   (mask[static_cast<std::size_t>(y) * mw + x] & 0xFFFFFF) == 0);
      if (!opaque)
        continue;
      const Pixel out = p & 0xFFFFFF;
      // The exact transparent colour must not appear in the picture itself.
      natural.Set(x, y, out == kMagenta ? MakePixel(254, 0, 254) : out);
    }
  if (cw == width && ch == height)
    return natural;
  Bitmap32 sized(width, height, kMagenta);
  StretchRect(sized, sized.Bounds(), natural, natural.Bounds());
  return sized;
}

void DrawTextOnto(Bitmap32& target, Rect area, const std::wstring& text, const TextStyle& style) {
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, target.Width());
  area.bottom = std::min(area.bottom, target.Height());
  if (area.Empty() || text.empty())
    return;
  DibSurface surface(area.Width(), area.Height());
  if (!surface)
    return;
  surface.Load(target, area);
  HDC dc = surface.Dc();
  SelectGuard font(dc, style.font != nullptr ? style.font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, style.colour);
  RECT box{0, 0, area.Width(), area.Height()};
  UINT format = style.format;
  if (style.rightToLeft)
    format |= DT_RTLREADING | DT_RIGHT;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
  surface.Store(target, Rect{0, 0, area.Width(), area.Height()}, area.left, area.top);
}

SIZE MeasureText(HFONT font, const std::wstring& text) {
  ScreenDc screen;
  SelectGuard select(screen.Get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  RECT box{0, 0, 0, 0};
  DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &box,
            DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  return SIZE{box.right - box.left, box.bottom - box.top};
}

std::string AnsiTextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

std::wstring WindowTextOf(HWND window) {
  if (IsWindowUnicode(window)) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
  }
  return WideFromAnsi(AnsiTextOf(window));
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

} // namespace tw::win
