#include "skin/win32/menus/win_skin_popmenu.h"

#include <algorithm>

#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_messages.h"

namespace tw::win {

namespace {

bool IsPopupMenuClass(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  return lstrcmpA(name, "#32768") == 0;
}

bool NtPlatform() {
  return (GetVersion() & 0x80000000u) == 0;
}

SIZE WindowSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

WinSkinPopup::WinSkinPopup(const SkinModel& skin, TSkinOptions options, HWND window)
    : menu_(skin, reinterpret_cast<std::uintptr_t>(window), false), options_(options) {
  hook_.Attach(window,
               [this](TMessage& message, const WindowProcHook& next) { Handle(message, next); });
}

void WinSkinPopup::Handle(TMessage& message, const WindowProcHook& next) {
  switch (message.msg) {
  case kMsgIsSkinned:
    message.result = kSkinnedAnswer;
    return;
  case WM_NCPAINT:
    PaintRing();
    message.result = 0;
    return;
  case WM_PAINT:
    // The menu's own paint may draw its border over the ring: the ring goes back on top.
    next(message);
    PaintRing();
    return;
  case WM_PRINT:
    Print(message, next);
    return;
  case WM_ERASEBKGND:
    if (PopupEraseRule(options_, NtPlatform()) == DefaultErase::Run)
      next(message);
    message.result = 1;
    return;
  case WM_NCDESTROY:
    menu_.Destroyed();
    gone_ = true;
    next(message);
    return;
  default:
    next(message);
  }
}

void WinSkinPopup::PaintRing() {
  HWND window = hook_.Window();
  const SIZE size = WindowSize(window);
  const auto pieces = menu_.PaintFrame(size.cx, size.cy);
  WindowDc dc(window);
  for (const auto& piece : pieces)
    DrawBitmap(dc.Get(), piece.at.x, piece.at.y, piece.image,
               {0, 0, piece.image.Width(), piece.image.Height()});
}

void WinSkinPopup::Print(TMessage& message, const WindowProcHook& next) {
  HDC dc = reinterpret_cast<HDC>(message.wParam);
  const SIZE size = WindowSize(hook_.Window());
  const Bitmap32& background = menu_.PrintBackground(size.cx, size.cy);
  DrawBitmap(dc, 0, 0, background, {0, 0, background.Width(), background.Height()});
  const Rect clip = TWinSkinPopMenu::PrintClip(size.cx, size.cy);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  SetBkMode(dc, TRANSPARENT);
  next(message);
  RestoreDC(dc, saved);
}

const Bitmap32& WinSkinPopup::Background() {
  const SIZE size = WindowSize(hook_.Window());
  return menu_.PrintBackground(size.cx, size.cy);
}

const Bitmap32* SkinnedPopups::BackgroundOf(HWND window) const {
  for (const auto& popup : popups_)
    if (!popup->Gone() && popup->Window() == window)
      return &popup->Background();
  return nullptr;
}

void SkinnedPopups::Created(HWND window, const TSkinData* data, bool skinningOn) {
  std::erase_if(popups_, [](const auto& popup) { return popup->Gone(); });
  if (data == nullptr || !IsPopupMenuClass(window))
    return;
  if (PopupSkinningFor(data->Model(), skinningOn) != PopupSkinning::Skin)
    return;
  popups_.push_back(std::make_unique<WinSkinPopup>(data->Model(), data->Options, window));
}

std::size_t SkinnedPopups::Count() const {
  return static_cast<std::size_t>(
      std::count_if(popups_.begin(), popups_.end(), [](const auto& p) { return !p->Gone(); }));
}

} // namespace tw::win
