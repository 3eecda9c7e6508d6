#pragma once
// The native side of a control model. Each windowed control object subclasses its window and
// routes every message through WindowProc, a handler another object may save, replace and call
// through (the skin engine does so). The window handle leads back to its control object through
// the window property "ControlOfs" + module instance + thread id, registered as a global atom.
// Windowless controls (images, bevels) are painted and hit-tested by their container.

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

// The atom of the property that maps a window handle to its control object.
ATOM ControlAtom();
// "ControlOfs%.8X%.8X" of the module instance and the thread id.
std::string ControlAtomName();

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

  // A notification the parent received from this control (WM_COMMAND, WM_NOTIFY, ...).
  virtual bool Reflect(TMessage& message);

  static NativeControl* FromHandle(HWND window);

  void ModelChanged(TControl& control, ControlChange change) override;

protected:
  // Subclasses the window and registers this object under the control property.
  void Attach(HWND window);
  // Per-kind handling before the class procedure; return true when the message is done.
  virtual bool HandleMessage(TMessage& message);
  LRESULT CallOriginal(const TMessage& message) const;
  // Applies the model's caption, enabled state, visibility and font to the window.
  void ApplyCommon(bool boldFont);

private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  TControl& model_;
  HWND handle_ = nullptr;
  WNDPROC original_ = nullptr;
};

// Creates the native counterpart of a model, as a child of `parent`. Null for windowless
// models, which their container paints.
std::unique_ptr<NativeControl> CreateNativeControl(TControl& model, HWND parent);

} // namespace tw::win
