#include "skin/win32/engine/win32_skin_platform.h"

#include <windows.h>

#include "runtime/win32/application.h"
#include "skin/win32/engine/gdi_bridge.h"

namespace tw::win {

void Win32SkinPlatform::ShowMessage(const std::string& text) {
  // Lines come separated by CR alone; the message box breaks lines at CR LF.
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    lines.push_back(text[i]);
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
      lines.push_back('\n');
  }
  Application::Get().ShowMessage(lines);
}

TColor Win32SkinPlatform::SystemColour(SysColour slot) const {
  // COLORREF and TColor lay out red, green and blue alike.
  return static_cast<TColor>(GetSysColor(static_cast<int>(slot)));
}

int Win32SkinPlatform::Metric(SystemMetric metric) const {
  switch (metric) {
  case SystemMetric::HorzScrollArrowWidth:
    return GetSystemMetrics(SM_CXHSCROLL);
  case SystemMetric::VertScrollWidth:
    return GetSystemMetrics(SM_CXVSCROLL);
  case SystemMetric::MenuBarHeight:
    return GetSystemMetrics(SM_CYMENU);
  case SystemMetric::CaptionHeight:
    return GetSystemMetrics(SM_CYCAPTION);
  case SystemMetric::FrameWidth:
    return GetSystemMetrics(SM_CXFRAME);
  case SystemMetric::SmallIconWidth:
    return GetSystemMetrics(SM_CXSMICON);
  case SystemMetric::SmallIconHeight:
    return GetSystemMetrics(SM_CYSMICON);
  }
  return 0;
}

Bitmap32 Win32SkinPlatform::LoadProgramBitmap(ProgramBitmap which) const {
  const char* name = "TRACK";
  if (which == ProgramBitmap::TrackVert)
    name = "TRACKVERT";
  else if (which == ProgramBitmap::MenuGlyphs)
    name = "MENUGLYPHS";
  HINSTANCE module = Application::Get().Instance();
  if (module == nullptr)
    module = GetModuleHandleA(nullptr);
  const Bitmap bitmap(
      static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return BitmapFromHandle(bitmap.Get());
}

CaptionFont Win32SkinPlatform::SystemCaptionFont() const {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    return {"Tahoma", -11, FW_BOLD};
  const LOGFONTA& font = metrics.lfCaptionFont;
  return {font.lfFaceName, static_cast<int>(font.lfHeight), static_cast<int>(font.lfWeight)};
}

Bitmap32 Win32SkinPlatform::ApplicationSmallIcon() const {
  const int width = GetSystemMetrics(SM_CXSMICON);
  const int height = GetSystemMetrics(SM_CYSMICON);
  HINSTANCE module = Application::Get().Instance();
  if (module == nullptr)
    module = GetModuleHandleA(nullptr);
  HICON own = static_cast<HICON>(LoadImageA(module, "MAINICON", IMAGE_ICON, width, height, 0));
  Bitmap32 result =
      BitmapFromIcon(own != nullptr ? own : LoadIconA(nullptr, IDI_APPLICATION), width, height);
  if (own != nullptr)
    DestroyIcon(own);
  return result;
}

bool Win32SkinPlatform::HasScrollBarInfo() const {
  HMODULE user = GetModuleHandleA("user32.dll");
  return user != nullptr && GetProcAddress(user, "GetScrollBarInfo") != nullptr;
}

} // namespace tw::win
