#pragma once
// Windows that hold other controls: the form and the tab sheets. A container reflects its
// children's notifications to their control objects, and paints and hit-tests its windowless
// controls (images, bevels); labels are static windows it shows through.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "runtime/forms.h"
#include "runtime/win32/native_control.h"

namespace tw::win {

class Container : public NativeControl {
public:
  // `create` makes the window, which is bound to this object as it is created.
  Container(TControl& model, const std::function<HWND()>& create);
  void AddGraphic(TControl& graphic);
  // A windowless control changed: repaint its place (at once, as batches keep the loop busy).
  void ModelChanged(TControl& control, ControlChange change) override;
  // The notifications of a child window, handed to the child's control object.
  static bool ReflectToChild(TMessage& message);

protected:
  bool HandleMessage(TMessage& message) override;

private:
  TControl* HitTest(POINT point) const;
  void PaintGraphics(HDC dc, const RECT& dirty) const;

  std::vector<TControl*> graphics_;
  TControl* pressed_ = nullptr;
};

// A top-level form window with all its controls realised. Closing the application's main window
// ends the program; closing any other form hides it.
class FormWindow final : public Container {
public:
  // Creates the window (hidden) and the native counterparts of all the form's controls.
  static std::unique_ptr<FormWindow> Create(TForm& form, HWND owner);
  ~FormWindow() override;

  void Show();
  NativeControl* NativeOf(const TControl& model) const;
  // The form's hint shows in a tooltip over the form's own surface (the header band), not over
  // its controls.
  void ModelChanged(TControl& control, ControlChange change) override;
  HWND Tooltip() const { return tooltip_; }

protected:
  bool HandleMessage(TMessage& message) override;

private:
  FormWindow(TForm& form, HWND owner);
  void Realise();
  void ApplyHint();

  TForm& form_;
  std::vector<std::unique_ptr<NativeControl>> children_;
  HWND tooltip_ = nullptr;
};

// Registers (once) a window class with the default procedure, double-clicks and the button-face
// background; the runtime subclasses every window it creates.
const char* RegisterContainerClass(const char* name);

} // namespace tw::win
