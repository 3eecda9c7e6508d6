#pragma once
// Popup menu windows ("#32768") while skinning is on: each one created while the skin has a
// MenuBackground bitmap takes a TWinSkinPopMenu, which draws the border ring, answers print and
// erase requests and the "is skinned" question, and comes off when the window goes.

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/model/skin_data.h"
#include "skin/paint/menu_popup.h"
#include "skin/win32/engine/window_hook.h"

namespace tw::win {

class WinSkinPopup {
public:
  WinSkinPopup(const SkinModel& skin, TSkinOptions options, HWND window);
  WinSkinPopup(const WinSkinPopup&) = delete;
  WinSkinPopup& operator=(const WinSkinPopup&) = delete;

  HWND Window() const { return hook_.Window(); }
  bool Gone() const { return gone_; }
  // The rendered background the owner-drawn items start from.
  const Bitmap32& Background();

private:
  void Handle(TMessage& message, const WindowProcHook& next);
  void PaintRing();
  void Print(TMessage& message, const WindowProcHook& next);

  TWinSkinPopMenu menu_;
  TSkinOptions options_;
  bool gone_ = false;
  WindowHook hook_;
};

// The popups of one thread's manager.
class SkinnedPopups {
public:
  // A window is being created: a popup menu window is skinned when the rule says so.
  void Created(HWND window, const TSkinData* data, bool skinningOn);
  // Skinning went off or the skin changed: every popup is left to its own drawing again.
  void Clear() { popups_.clear(); }
  std::size_t Count() const;
  // The background of a skinned popup window; null for any other window.
  const Bitmap32* BackgroundOf(HWND window) const;

private:
  std::vector<std::unique_ptr<WinSkinPopup>> popups_;
};

} // namespace tw::win
