#pragma once
// TSkinScrollbar and its relatives: the control keeps its native scroll bars and all their
// behaviour; TWScrollbar overlays, sibling windows just above the control, show each bar from
// the skin. They follow the platform's scroll-bar information after every message that may
// change it, hide with the control or the bar, and pass the mouse to the control as
// non-client clicks with the scroll hit codes, so that the platform's own tracking scrolls.

#include <windows.h>

#include <array>
#include <memory>

#include "skin/paint/paint_scroll.h"
#include "skin/win32/engine/skin_control.h"

namespace tw {

class TSkinScrollbar;

class TWScrollbar {
public:
  TWScrollbar(TSkinScrollbar& owner, HWND control, ScrollBarKind kind);
  ~TWScrollbar();
  TWScrollbar(const TWScrollbar&) = delete;
  TWScrollbar& operator=(const TWScrollbar&) = delete;

  HWND Handle() const { return window_; }
  ScrollBarKind Kind() const { return kind_; }
  enum class Redraw { WhenChanged, Always };
  // Re-reads the bar; moves, shows, hides and repaints the overlay as it changed.
  void Place(Redraw redraw = Redraw::WhenChanged);
  int HotPart() const { return hot_; }

private:
  void OnMessage(win::TMessage& message, const win::WindowProcHook& next);
  ScrollBarInfo ReadInfo() const;
  BarOrientation Orientation() const;
  ScrollBarParts Parts() const;
  void PaintTo(HDC dc);
  void Forward(UINT down, UINT up, bool press, LPARAM at);
  void RaiseAboveControl();

  TSkinScrollbar& owner_;
  HWND control_;
  ScrollBarKind kind_;
  HWND window_ = nullptr;
  ScrollBarInfo info_;
  ComposedFrame frame_;
  Rect placed_; // in the parent's client coordinates, while shown
  bool shown_ = false;
  int hot_ = kPartNone;
  ButtonHeld held_ = ButtonHeld::Up;
  win::WindowHook hook_;
  // Skinning may go off inside the platform's tracking of a forwarded press.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class TSkinScrollbar final : public TSkinControl {
public:
  explicit TSkinScrollbar(SkinFamily member) : TSkinControl(member) {}
  ~TSkinScrollbar() override;
  void Attach(FormSite& form, TSkinData& data, TControl& control, bool useFaceColour) override;
  void AttachHandle(HWND window, TSkinData& data, FormSite& form) override;
  void Detach() override;
  void AfterMessage(win::TMessage& message) override;
  void Reskin() override;
  void Refresh() override;

  // The overlay of the bar, or null.
  const TWScrollbar* Overlay(ScrollBarKind kind) const;
  const SkinModel& SkinOf() const { return Skin(); }
  unsigned Generation() const { return Data().Generation(); }
  bool Overlaid(HWND window) const;

  // The member that skins a list view's column header, or null.
  const TSkinControl* Header() const { return header_.get(); }

private:
  void Follow(TWScrollbar::Redraw redraw);
  void MakeOverlays();
  void DropOverlays();
  void AttachHeader();

  std::array<std::unique_ptr<TWScrollbar>, 2> overlays_;
  // A list view's header is its child window, which no chooser walk reaches: it goes with
  // the list's scroll bars.
  std::unique_ptr<TSkinControl> header_;
};

// A scroll-bar member for the family member, or null.
std::unique_ptr<TSkinControl> CreateScrollBarMember(SkinFamily member);

} // namespace tw
