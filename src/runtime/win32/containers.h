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

// A form window sends it to itself once controls of a tab sheet shown for the first time have
// their windows (lParam: the sheet's model), before the sheet shows: whoever hooks the form's
// controls takes the new ones.
inline constexpr UINT kMsgControlsRealised = WM_APP + 1;

class Container : public NativeControl {
public:
  // `create` makes the window, which is bound to this object as it is created.
  Container(TControl& model, const std::function<HWND()>& create);
  void AddGraphic(TControl& graphic);
  // A windowless control changed: repaint its place (at once, as batches keep the loop busy).
  void ModelChanged(TControl& control, ControlChange change) override;
  // The notifications of a child window, handed to the child's control object.
  static bool ReflectToChild(TMessage& message);
  // Runs once, as the window is about to show for the first time after this call.
  void BeforeFirstShow(std::function<void()> realise) { beforeFirstShow_ = std::move(realise); }

protected:
  bool HandleMessage(TMessage& message) override;

private:
  TControl* HitTest(POINT point) const;
  void PaintGraphics(HDC dc, const RECT& dirty) const;

  std::vector<TControl*> graphics_;
  TControl* pressed_ = nullptr;
  std::function<void()> beforeFirstShow_;
};

// A top-level form window with its controls realised. The controls on a tab sheet that is not
// shown get their windows as the sheet first shows: under Wine each window costs round trips to
// the server, and most of a form's controls wait on the tabs not chosen. Closing the
// application's main window ends the program; closing any other form hides it.
class FormWindow final : public Container {
public:
  // Creates the window (hidden) and the native counterparts of the form's controls but those
  // on hidden tab sheets.
  static std::unique_ptr<FormWindow> Create(TForm& form, HWND owner);
  ~FormWindow() override;

  // Shows the window; it paints when the thread next takes its messages.
  void Show();
  // Null for windowless controls and for those whose sheet has not shown yet: a change to such
  // a model shows when its window is made, which takes the model as it stands then.
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
  void RealiseControl(TControl& control);
  // The controls that waited on `sheet` (and on no other sheet still hidden), made in form order.
  void RealiseSheet(const TControl& sheet);
  bool Waits(const TControl& control) const;
  void ApplyHint();

  TForm& form_;
  std::vector<std::unique_ptr<NativeControl>> children_;
  // Controls without a native counterpart yet, in form order.
  std::vector<TControl*> waiting_;
  std::vector<const TControl*> opened_; // sheets that have shown
  HWND tooltip_ = nullptr;
};

enum class ClassIcon { kNone, kProgram };
// Registers (once) a window class with the default procedure, double-clicks and the button-face
// background; the runtime subclasses every window it creates. Only a form's class carries the
// program's icon: loading it (and the small icon the system derives from it) is not free.
const char* RegisterContainerClass(const char* name, ClassIcon icon);

} // namespace tw::win
