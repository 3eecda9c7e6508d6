#pragma once
// TSkinControl on Win32: the base of the control-skinning family. It hooks a control's message
// handling (a control object through its stacked hooks, a window without one through the
// subclass chain), answers 13603, switches on and off with 13574, repaints on focus, enable
// and text changes, and lets go when its form is restored or its window is destroyed. The
// members are created by their class names (members/create_skin_control.h); a member without a
// painter of its own behaves as the base.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/model/skin_data.h"
#include "skin/paint/control_chooser.h"
#include "skin/paint/frame_cache.h"
#include "skin/win32/engine/form_site.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/window_hook.h"

namespace tw {

inline constexpr int kControlAttached = 1;
inline constexpr int kControlDestroyed = 6;

class TSkinControl {
public:
  explicit TSkinControl(SkinFamily member) : member_(member) {}
  virtual ~TSkinControl();
  TSkinControl(const TSkinControl&) = delete;
  TSkinControl& operator=(const TSkinControl&) = delete;

  // 1. For a control object.
  virtual void Attach(FormSite& form, TSkinData& data, TControl& control, bool useFaceColour);
  // 2. For a window without a control object.
  virtual void AttachHandle(HWND window, TSkinData& data, FormSite& form);
  // 3. Lets the window go and gives back what skinning changed.
  virtual void Detach();
  // 4. Before the standard handling; false when the message is handled and stops here.
  virtual bool BeforeMessage(win::TMessage& message);
  // 5. After the standard handling.
  virtual void AfterMessage(win::TMessage& message);
  // 6. The whole window's rectangle to Paint.
  virtual void PaintFrame(HDC dc);
  // 7. Nothing in the base.
  virtual void Paint(HDC dc, const RECT& rect);
  // 8. Face colour again, and a repaint.
  virtual void Reskin();
  // 9. Scroll-bar members re-read their bars.
  virtual void Refresh() {}

  SkinFamily Member() const { return member_; }
  const char* ClassName() const { return SkinFamilyName(member_); }
  HWND Handle() const { return window_; }
  TControl* Control() const { return control_; }
  bool SkinningEnabled() const { return enabled_; }
  int Stage() const { return stage_; }
  bool UsesFaceColour() const { return useFaceColour_; }
  // How often the member has composed its frame (the rest of its paints were copies).
  int Compositions() const { return frame_.Compositions(); }

protected:
  // The standard handling of the message being processed.
  void Default(win::TMessage& message);
  void Repaint();
  // Paints the whole window at once through its window device context.
  void PaintNow();
  const SkinModel& Skin() const { return data_->Model(); }
  TSkinData& Data() const { return *data_; }
  FormSite* Form() const { return form_; }
  HFONT ControlFont() const;
  bool IsEnabled() const;
  bool IsFocused() const;
  // Blits the frame `compose(bitmap)` draws, composing only when the key (everything the
  // member's frame depends on; the skin and the size are added here) differs from the last.
  template <typename Compose>
  void PaintComposed(HDC dc, const RECT& rect, FrameKey& key, Compose&& compose) {
    key.Add(static_cast<std::int64_t>(data_->Generation()));
    const Bitmap32* frame =
        frame_.Get(key, rect.right - rect.left, rect.bottom - rect.top, compose);
    if (frame != nullptr)
      win::DrawBitmap(dc, rect.left, rect.top, *frame, frame->Bounds());
  }
  // The font's description, and the system colour the painters take for disabled text.
  static void AddTextLook(FrameKey& key, HFONT font);

private:
  void Hook();
  void OnMessage(win::TMessage& message, const win::WindowProcHook& next);

  SkinFamily member_;
  HWND window_ = nullptr;
  TControl* control_ = nullptr;
  TSkinData* data_ = nullptr;
  FormSite* form_ = nullptr;
  bool unicode_ = false;
  bool useFaceColour_ = false;
  bool enabled_ = true;
  int stage_ = 0;
  std::string caption_;
  win::WindowHook hook_;
  const win::WindowProcHook* next_ = nullptr;
  ComposedFrame frame_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

namespace win {
using tw::TSkinControl;
class NativeControl;
} // namespace win

// The window a control model is realised as; null while it has none.
win::NativeControl* NativeOf(const TControl& control);
// Whether the window answers that it is skinned already (by this engine or another copy of it);
// a window of another thread that hangs counts as not skinned.
bool AnswersSkinned(HWND window);

} // namespace tw
