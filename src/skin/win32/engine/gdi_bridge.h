#pragma once
// Between the skin's in-memory bitmaps and GDI: a 32-bit DIB section a Bitmap32 is copied into
// and drawn from, reading GDI bitmaps and icons back as Bitmap32, text drawn onto a Bitmap32,
// and window texts. The device-context guards are runtime/win32/gdi.h's.

#include <windows.h>

#include <string>

#include "runtime/win32/gdi.h"
#include "skin/model/bitmap.h"

namespace tw::win {

// A top-down 32-bit DIB section selected into its own memory device context.
class DibSurface {
public:
  DibSurface(int width, int height);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  explicit operator bool() const { return bits_ != nullptr; }
  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies the bitmap's rectangle to (x, y) of the surface, clipped.
  void Load(const Bitmap32& source, Rect from, int x = 0, int y = 0);
  // Copies the surface's rectangle into the bitmap at (x, y), clipped.
  void Store(Bitmap32& target, Rect from, int x = 0, int y = 0) const;

private:
  MemoryDc dc_;
  Bitmap bitmap_;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  HGDIOBJ old_ = nullptr;
};

// The bitmap's rectangle drawn 1:1 at (x, y) of the device context.
void DrawBitmap(HDC dc, int x, int y, const Bitmap32& source, Rect from);

// A GDI bitmap read back as 32-bit pixels; empty when the handle is null or unreadable.
Bitmap32 BitmapFromHandle(HBITMAP bitmap);
// The icon drawn at the size over magenta.
Bitmap32 BitmapFromIcon(HICON icon, int width, int height);

struct TextStyle {
  HFONT font = nullptr;
  COLORREF colour = 0;
  UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER; // DrawText flags
  bool rightToLeft = false;
};

// The text drawn transparently over the bitmap's rectangle.
void DrawTextOnto(Bitmap32& target, Rect area, const std::wstring& text, const TextStyle& style);
// The text's width and height in the font, on one line without prefix processing.
SIZE MeasureText(HFONT font, const std::wstring& text);

// The window text in the ANSI code page.
std::string AnsiTextOf(HWND window);

// A window text as UTF-16 (Unicode windows keep their characters; others are converted from
// the ANSI code page).
std::wstring WindowTextOf(HWND window);

// The window's class name.
std::string ClassOf(HWND window);

inline Rect ToRect(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

} // namespace tw::win
