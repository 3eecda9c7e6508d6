#pragma once
// TWinSkinForm on Win32: takes over the non-client area of one top-level window. Its hook on
// the window's messages sizes the client area to the skin's borders, paints the frame that the
// portable frame functions compose, and turns mouse actions on the painted caption buttons into
// the window commands. Painting failures are swallowed: the frame is then simply not updated.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/win32/gdi.h"
#include "skin/model/skin_data.h"
#include "skin/paint/caption_hint.h"
#include "skin/paint/form_frame.h"
#include "skin/paint/form_layout.h"
#include "skin/paint/form_style.h"
#include "skin/paint/nc_object.h"
#include "skin/win32/engine/form_site.h"
#include "skin/win32/engine/hint_window.h"
#include "skin/win32/engine/window_hook.h"

namespace tw {

namespace win {
class PopupItems;
class WinSkinMenuBar;
} // namespace win
class TSkinControl;

// What a skinned form asks of the manager that made it.
class FormManager {
public:
  virtual ~FormManager() = default;
  // The rendered background of a skinned popup menu window, or null.
  virtual const Bitmap32* PopupBackgroundOf(HWND popup) const = 0;
  // An MDI child of the frame changed its maximized state: the frame's state is read again
  // once the message that changed it is done.
  virtual void MdiChildStateChanged(HWND frame) = 0;
};

// Skinning stage codes.
inline constexpr int kStageNotStarted = 0;
inline constexpr int kStageSkinned = 1;
inline constexpr int kStageDestroying = 4;
inline constexpr int kStageFinished = 6;

class TWinSkinForm final : public FormSite {
public:
  TWinSkinForm(HWND window, TSkinData& data, FormManager& manager);
  ~TWinSkinForm() override;
  TWinSkinForm(const TWinSkinForm&) = delete;
  TWinSkinForm& operator=(const TWinSkinForm&) = delete;

  HWND Handle() const override { return window_; }
  TSkinData& SkinData() const override { return *data_; }
  int Stage() const { return stage_; }
  void SetStage(int stage) { stage_ = stage; }
  const std::string& ClassName() const { return className_; }

  // Puts the window's own handling, styles and standard frame back.
  void Restore();
  // Re-reads geometry and caption buttons from the skin, then repaints.
  void Reload();
  void RepaintFrame() override;
  // The window's state or its MDI child's changed: facts, layout and frame anew.
  void StateChanged();
  const FormGeometry& Geometry() const override { return geometry_; }
  const FrameLayout& Layout() const { return layout_; }
  // A size grip created on this window gets its member.
  void SkinGrip(HWND grip);
  // The skinned menu bar, when the window has a menu.
  win::WinSkinMenuBar* MenuBar() const { return menuBar_.get(); }
  // The skinning objects of the form's controls.
  const std::vector<std::unique_ptr<TSkinControl>>& Controls() const { return controls_; }

  // NcHost
  void RepaintObject(TNCObject& object) override;
  void ReevaluatePointer() override;
  Activity CurrentActivity() const override { return facts_.activity; }
  const Bitmap32& WindowIcon() const override { return icon_; }

private:
  void OnMessage(win::TMessage& message, const win::WindowProcHook& next);
  void Start();
  void ReadFacts();
  void BuildButtons();
  void Relayout();
  void CaptureIcon();
  void ApplyStyles(CaptionStyles want);
  void KeepClientSize(SIZE client);
  void PaintFrame(HDC dc);
  FrameImageInput FrameInput() const;
  void PaintSafely();
  bool NcMouse(win::TMessage& message);
  void ButtonReleased(TWinSysButton& button);
  void Execute(const CaptionDecision& decision);
  void OnTimer();
  void SkinControls();
  void SkinLaterControls();
  Point ToWindow(POINT screen) const;
  TWinSysButton* ButtonAt(Point inWindow) const;
  SIZE ClientSize() const;
  WindowMenu MenuState() const;

  HWND window_;
  TSkinData* data_;
  FormManager& manager_;
  win::WindowHook hook_;
  int stage_ = kStageNotStarted;
  bool unicode_ = false;
  std::string className_;
  HMENU systemMenu_ = nullptr;
  FormGeometry geometry_;
  FormFacts facts_;
  FrameLayout layout_;
  std::vector<TDataSkinSysButton> formButtons_;
  std::vector<std::unique_ptr<TWinSysButton>> buttons_;
  Bitmap32 icon_;
  win::Font captionFont_;
  std::wstring caption_;
  TWinSysButton* captured_ = nullptr; // pressed and holding the mouse
  DWORD lastIconClick_ = 0;
  bool iconClicked_ = false;
  UINT_PTR timer_ = 0;
  win::HintWindow hint_;
  CaptionHintTracker hintTracker_;
  std::vector<std::unique_ptr<TSkinControl>> controls_;
  std::vector<TSkinControl*> supplied_;         // the host's own, let go but not freed
  std::unique_ptr<win::PopupItems> popupItems_; // owner-drawn items of popups opening here
  void ReleaseControls();
  std::unique_ptr<win::WinSkinMenuBar> menuBar_;
  // Cleared as the form goes: what runs a modal loop learns whether the form outlived it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

namespace win {
using tw::TWinSkinForm;
} // namespace win

} // namespace tw
