#pragma once
// What the tests of skinned windows under real input share: input and settling, what a window
// shows, the shown popup menu, and skins made from the shipped one.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "lzhuf_encoder.h"
#include "skin/model/bitmap.h"
#include "skin/model/bmp.h"
#include "skin/model/memory_stream.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_reader.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_messages.h"
#include "support/win32/message_pump.h"

namespace tw::test {

inline constexpr LONG kCaptionButtonStyles = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

inline void Settle(int milliseconds = 250) {
  Pump(milliseconds);
}

inline bool Skinned(HWND window) {
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(window, kMsgIsSkinned, 0, 0, SMTO_NORMAL, 2000, &answer) != 0 &&
         answer == static_cast<DWORD_PTR>(kSkinnedAnswer);
}

// The window's pixels as they are on screen, frame included.
inline Bitmap32 Shown(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const win::WindowDc dc(window);
  win::DibSurface surface(r.right - r.left, r.bottom - r.top);
  Bitmap32 image(r.right - r.left, r.bottom - r.top);
  BitBlt(surface.Dc(), 0, 0, image.Width(), image.Height(), dc.Get(), 0, 0, SRCCOPY);
  surface.Store(image, image.Bounds());
  return image;
}

// Pixels of `shown` that differ from `expected` within the area, where `expected` is not magenta.
inline int Differing(const Bitmap32& shown, const Bitmap32& expected, const Rect& area) {
  int differing = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (expected.At(x, y) != kMagenta && shown.At(x, y) != expected.At(x, y))
        ++differing;
  return differing;
}

// Input in this thread, then its messages dispatched.
inline void MouseTo(int x, int y) {
  SetCursorPos(x, y);
  mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
  Settle(60);
}
inline void MouseButton(DWORD flag) {
  mouse_event(flag, 0, 0, 0, 0);
  Settle(60);
}
inline void KeyEvent(BYTE key, DWORD flags) {
  keybd_event(key, 0, flags, 0);
}

// Input from another thread while this one dispatches: the platform's own loops (scroll
// tracking, moving a window) wait for it in loops of their own.
inline void InputWhilePumping(const std::function<void()>& script) {
  std::atomic<bool> done{false};
  std::thread input([&] {
    script();
    done = true;
  });
  PumpUntil([&] { return done.load(); }, 15000);
  input.join();
  Settle(100);
}

inline BOOL CALLBACK MatchShownPopup(HWND w, LPARAM out) {
  char cls[16] = {};
  GetClassNameA(w, cls, sizeof(cls));
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (lstrcmpA(cls, "#32768") != 0 || !IsWindowVisible(w) || pid != GetCurrentProcessId())
    return TRUE;
  *reinterpret_cast<HWND*>(out) = w;
  return FALSE;
}

// The shown popup menu window of this process, if any.
inline HWND ShownPopup() {
  HWND found = nullptr;
  EnumWindows(MatchShownPopup, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The entries of a component's stored skin archive.
inline std::vector<skinpack::ArchiveEntry> ArchiveEntries(const TSkinData& data) {
  TMemoryStream file(std::span<const std::uint8_t>(data.StoredArchive()));
  TSkinReader reader;
  std::vector<skinpack::ArchiveEntry> entries;
  if (!reader.LoadSkin(file))
    return entries;
  for (int i = 0; i < reader.Names().Count(); ++i) {
    TMemoryStream entry;
    reader.ExtractEntry(reader.Names()[i], entry);
    entries.push_back({reader.Names()[i], entry.Bytes()});
  }
  return entries;
}

// Every bitmap of the entries with its pixels changed (magenta, the transparent colour, kept).
inline void RecolourBitmaps(std::vector<skinpack::ArchiveEntry>& entries,
                            const std::function<Pixel(Pixel)>& change) {
  for (skinpack::ArchiveEntry& entry : entries) {
    std::optional<Bitmap32> bitmap = ReadBmp(entry.bytes);
    if (!bitmap)
      continue;
    for (int y = 0; y < bitmap->Height(); ++y)
      for (int x = 0; x < bitmap->Width(); ++x)
        if (bitmap->At(x, y) != kMagenta)
          bitmap->Set(x, y, change(bitmap->At(x, y)));
    entry.bytes = WriteBmp24(*bitmap);
  }
}

} // namespace tw::test
