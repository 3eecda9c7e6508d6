#pragma once
// Hot objects of the non-client area: caption buttons here, menu bar items later. Each knows
// its rectangle, visibility, enabled flag and pointer state; the host (the skinned form) knows
// which object is hot and repaints.

#include "skin/model/bitmap.h"
#include "skin/paint/form_layout.h"

namespace tw {

class TNCObject;

class NcHost {
public:
  virtual ~NcHost() = default;
  TNCObject* Hot() const { return hot_; }
  void SetHot(TNCObject* object) { hot_ = object; }
  // Draws the object again in its current state.
  virtual void RepaintObject(TNCObject& object) = 0;
  // Looks where the pointer is now (after a leave) and updates hot objects.
  virtual void ReevaluatePointer() = 0;
  // What caption buttons paint with: the window's activity and its small icon (magenta
  // background).
  virtual Activity CurrentActivity() const = 0;
  virtual const Bitmap32& WindowIcon() const = 0;

private:
  TNCObject* hot_ = nullptr;
};

class TNCObject {
public:
  explicit TNCObject(NcHost& owner) : owner_(owner) {}
  virtual ~TNCObject();
  TNCObject(const TNCObject&) = delete;
  TNCObject& operator=(const TNCObject&) = delete;

  Rect rect; // window coordinates
  bool visible = true;
  bool enabled = true;
  NcState state = NcState::Normal;

  // Another hot object leaves first; a visible object becomes hot, hovered, and repaints.
  virtual void MouseEnter();
  // A visible object becomes pressed and repaints.
  virtual void MouseDown();
  // Entering with the button held: as MouseEnter, but pressed.
  virtual void PressEnter();
  // A visible object stops being hot, goes back to normal, repaints, and the host looks where
  // the pointer is now.
  virtual void MouseLeave();
  // Draws the object into the target (window coordinates); nothing in the base.
  virtual void Paint(Bitmap32&) {}

  NcHost& Owner() const { return owner_; }

private:
  void BecomeHot(NcState newState);
  NcHost& owner_;
};

// A caption button: one of the form's caption buttons, painted in its frame for the state.
class TWinSysButton : public TNCObject {
public:
  TWinSysButton(NcHost& owner, const TDataSkinSysButton& button, int index)
      : TNCObject(owner), button_(&button), index_(index) {}

  const TDataSkinSysButton& Button() const { return *button_; }
  int Index() const { return index_; }
  int Action() const { return button_->Action; }
  void SetPlacement(const CaptionButtonPlacement& placement);
  void Paint(Bitmap32& target) override;

private:
  const TDataSkinSysButton* button_;
  int index_;
};

} // namespace tw
