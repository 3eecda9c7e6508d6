#pragma once
// The native side of a control model. Each windowed control object subclasses its window (in our
// subclass chain, so that other subclasses stack and unstack in any order) and routes
// every message through its hooks, newest first, and then WindowProc, a handler another object
// may replace. The window is bound to its control object as it is created, before its first
// message. The window handle leads back to the control object through the window property
// "ControlOfs" + module instance + thread id, registered as a global atom. Windowless controls
// (images, bevels) are painted and hit-tested by their container.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/controls.h"

namespace tw::win {

struct TMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result = 0;
};

using WindowProcHook = std::function<void(TMessage&)>;
// A handler stacked over a control's message handling; `next` runs the rest of the stack.
using MessageHook = std::function<void(TMessage& message, const WindowProcHook& next)>;

// The atom of the property that maps a window handle to its control object.
ATOM ControlAtom();
// "ControlOfs%.8X%.8X" of the module instance and the thread id.
std::string ControlAtomName();
// The same name registered as a window message: a control's window answers it with its
// control object, for those who cannot read the property.
UINT ControlMessage();

class NativeControl : public ControlView {
public:
  explicit NativeControl(TControl& model);
  ~NativeControl() override;
  NativeControl(const NativeControl&) = delete;
  NativeControl& operator=(const NativeControl&) = delete;

  TControl& Model() const { return model_; }
  HWND Handle() const { return handle_; }
  // The class name as the form knows it ("TButton", "TListBox", ...).
  const std::string& ClassName() const { return model_.ClassName(); }

  // The control's message handler; initially DefaultHandler.
  WindowProcHook WindowProc;
  // Standard processing: the control's own handling, then the window class's procedure.
  void DefaultHandler(TMessage& message);

  // Stacks a hook over the control's handling; a second hook of the same owner replaces the
  // first in its place. Hooks of different owners come off in any order.
  void AddHook(const void* owner, MessageHook hook);
  void RemoveHook(const void* owner);
  bool HasHook(const void* owner) const;
  // The message through every hook, then WindowProc.
  void Dispatch(TMessage& message);

  // A notification the parent received from this control (WM_COMMAND, WM_NOTIFY, ...).
  virtual bool Reflect(TMessage& message);

  static NativeControl* FromHandle(HWND window);
  // Whether the thread's hook that binds control objects to their windows is in place: from
  // the first control object until the last one has gone.
  static bool CreationHookInstalled();

  void ModelChanged(TControl& control, ControlChange change) override;

protected:
  // Subclasses the window and registers this object under the control property. A window
  // created on this thread right after this object's construction is bound already.
  void Attach(HWND window);
  // Per-kind handling before the class procedure; return true when the message is done.
  virtual bool HandleMessage(TMessage& message);
  LRESULT CallOriginal(const TMessage& message) const;
  // Applies the model's caption, enabled state, visibility and font to the window.
  void ApplyCommon(bool boldFont);

private:
  struct Hook {
    const void* owner;
    std::shared_ptr<MessageHook> hook;
  };
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
  void DispatchFrom(const std::vector<Hook>& hooks, std::size_t index, TMessage& message);

  TControl& model_;
  HWND handle_ = nullptr;
  std::vector<Hook> hooks_;
};

// Creates the native counterpart of a model, as a child of `parent`. Null for windowless
// models, which their container paints.
std::unique_ptr<NativeControl> CreateNativeControl(TControl& model, HWND parent);

} // namespace tw::win
