#pragma once
// What a Win32 test reads back from the screen: a window's frame widths and the pixels shown in a
// rectangle; and the skin files such tests write to load.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/model/bitmap.h"
#include "skin/win32/engine/gdi_bridge.h"

namespace tw::test {

// The frame around the client area, in pixels on each side.
struct Borders {
  int left, top, right, bottom;
  bool operator==(const Borders&) const = default;
};

inline Borders BordersOf(HWND window) {
  RECT w;
  RECT c;
  GetWindowRect(window, &w);
  GetClientRect(window, &c);
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&c), 2);
  return {c.left - w.left, c.top - w.top, w.right - c.right, w.bottom - c.bottom};
}

// The screen's pixels in the rectangle (screen coordinates).
inline Bitmap32 CaptureScreen(const RECT& r) {
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  win::DibSurface surface(width, height);
  win::ScreenDc screen;
  BitBlt(surface.Dc(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
  Bitmap32 image(width, height);
  surface.Store(image, image.Bounds());
  return image;
}

// The whole window as it shows on screen, frame included.
inline Bitmap32 CaptureWindow(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return CaptureScreen(r);
}

// Writes the bytes to a file of that name in the temporary folder; its path, empty on failure.
inline std::string WriteTempFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + name;
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE)
    return {};
  DWORD written = 0;
  const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size() ? path : std::string();
}

} // namespace tw::test
