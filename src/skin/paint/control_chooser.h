#pragma once
// Which member of the control-skinning family a control gets: the chooser for control objects
// (the form's control models), the chooser for windows without a control object (by class
// name and style), and the walk over a form's controls when its skinning starts. Pure
// decisions: the Win32 side creates and attaches the chosen members.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/controls.h"
#include "skin/model/skin_data.h"
#include "skin/paint/form_style.h"

namespace tw {

class TForm;

// The family members, named after their classes.
enum class SkinFamily {
  None, // not skinned (children may still be walked)
  TSkinButton,
  TSkinBitButton,
  TSkinMenuButton,
  TSkinSpeedButton,
  TSkinCheckBox,
  TSkinRadioButton,
  TSkinObjImage, // check and radio children of image-style group controls
  TSkinComBox,
  TSkinDateTime,
  TSkinEdit,
  TSkinProgress,
  TSkinTrackBar,
  TSkinUpDown,
  TSkinTab,
  TSkinTab31,
  TSkinTabBtn,
  TSkinTabSheet,
  TSkinAdvPage,
  TSkinStatusBar,
  TSkinGroupBox,
  TSkinBox,
  TSkinBoxH,
  TSkinHeader,
  TSkinSizer,
  TSkinMP,
  TSkinScrollbar,  // scroll bars of a scrollable control
  TSkinScrollbarH, // one stand-alone scroll bar
  TComboxScrollBar,
  TSkinListView,
  TSkinScControl, // a container whose scrollable children get scroll bars
  Supplied,       // the host's OnSkinControl supplied the object
};

// The member's class name ("TSkinButton", ...; "" for None).
const char* SkinFamilyName(SkinFamily member);

// What a control model is, as the chooser's class tests need it.
enum class ControlKind {
  Other,
  Graphic, // labels, images, bevels: no window of their own
  Form,
  PushButton,
  Edit,
  Memo,
  RichEdit,
  ComboBox,
  ListBox,
  Grid,
  PageControl,
  TabControl,
  TabSheet,
  ProgressBar,
  Panel,
};
ControlKind KindOf(const TControl& control);

// After the choice: which children the caller goes on with.
enum class ChildWalk {
  None,
  Children,           // every child goes through the chooser
  ScrollableChildren, // each scrollable child gets scroll bars
  GroupChildren,      // radio/check group: each child gets childMember
  InnerCombo,         // the combo box inside an extended combo box
};

struct SkinChoice {
  SkinFamily member = SkinFamily::None;
  int rule = 0;     // the numbered rule that decided; 0 when none matched
  std::string kind; // the Skin3rd kind that decided, lower case
  ChildWalk walk = ChildWalk::None;
  SkinFamily childMember = SkinFamily::None; // GroupChildren
  bool setTransparent = false; // set the control's Transparent property to "True" first
  bool useFaceColour = false;  // the control's colour becomes ButtonFace
  std::string imageProperty;   // "PngImage" for the png kinds
  TSkinControl* supplied = nullptr;
};

// What only the platform knows about a control's window.
class ControlWindows {
public:
  virtual ~ControlWindows() = default;
  // Creates the control's window when it has none; false when it cannot have one.
  virtual bool EnsureHandle(TControl& control) = 0;
  virtual bool HasHandle(const TControl& control) const = 0;
  // The control has a skinning object already, or its window answers 13603 with 1.
  virtual bool AlreadySkinned(const TControl& control) const = 0;
  virtual WindowStyle Style(const TControl& control) const = 0;
  // Window and client rectangles differ: the control has a border.
  virtual bool HasBorder(const TControl& control) const = 0;
};

struct ChooserContext {
  TSkinData* data = nullptr;
  ControlWindows* windows = nullptr;
  TWinSkinForm* formObject = nullptr;  // passed to OnSkinControl
  TControl* form = nullptr;            // the form whose controls are chosen
  std::span<TControl* const> controls; // every control of the form (children are found here)
};

// The numbered rules for one control, first match wins. Rule 1 also gives the children of a
// disabled radio or check group the same Tag.
SkinChoice ChooseForControl(TControl& control, const ChooserContext& context);

// The member for a child of a radio or check group.
SkinFamily GroupChildMember(const SkinChoice& group, const TControl& child, const TSkinData& data);

// The chooser for a window without a control object, by class name and style.
SkinChoice ChooseForWindow(std::string_view className, WindowStyle style, const TSkinData& data);

struct SkinAssignment {
  TControl* control = nullptr;
  SkinChoice choice;
};

struct FormControlsPlan {
  std::vector<SkinAssignment> assignments; // in the order they are made
  bool preparePopupMenus = false;          // xcPopupMenu is in SkinControls
};

// The walk when a form's skinning starts: every control of the form through the chooser
// (children walked as the choices say), then the controls in tab order once more, except
// those without a window, with the DisableTag, or skinned already. Only controls that get a
// member (or a supplied object) are listed.
FormControlsPlan SkinFormControls(const ChooserContext& context);

} // namespace tw
