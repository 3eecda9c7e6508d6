#include "runtime/win32/pictures.h"

#include "runtime/win32/application.h"
#include "runtime/win32/gdi.h"

namespace tw::win {
namespace {

HBITMAP Logo() {
  static const HBITMAP logo = LoadBitmapA(Application::Get().Instance(), "LOGO");
  return logo;
}

} // namespace

void DrawPicture(HDC dc, TPicture picture, const RECT& r, bool stretch) {
  switch (picture) {
  case TPicture::None:
    return;
  case TPicture::WhitePixel:
    // A single white pixel stretched over the rectangle.
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return;
  case TPicture::Logo: {
    HBITMAP bitmap = Logo();
    if (bitmap == nullptr)
      return;
    BITMAP info{};
    GetObjectA(bitmap, sizeof(info), &info);
    MemoryDc source(dc);
    SelectGuard select(source.Get(), bitmap);
    const int width = stretch ? r.right - r.left : info.bmWidth;
    const int height = stretch ? r.bottom - r.top : info.bmHeight;
    const COLORREF key = GetPixel(source.Get(), 0, info.bmHeight - 1);
    TransparentBlt(dc, r.left, r.top, width, height, source.Get(), 0, 0, info.bmWidth,
                   info.bmHeight, key);
    return;
  }
  }
}

} // namespace tw::win
