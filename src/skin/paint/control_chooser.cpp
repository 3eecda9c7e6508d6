#include "skin/paint/control_chooser.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "runtime/ansi_text.h"
#include "runtime/forms.h"

namespace tw {

namespace {

using T = TSkinControlType;

constexpr std::size_t kKindLimit = 50;

bool Has(const TSkinData& data, TSkinControlType type) {
  return data.SkinControls.Contains(type);
}

bool SkinHasTabs(const TSkinData& data) {
  return data.Model().Element(SkinElement::Tabs) != nullptr;
}

bool OneOf(std::string_view value, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), value) != names.end();
}

std::vector<TControl*> ChildrenOf(const TControl& parent, std::span<TControl* const> controls) {
  std::vector<TControl*> children;
  for (TControl* c : controls)
    if (c != nullptr && c->Parent() == &parent)
      children.push_back(c);
  return children;
}

SkinChoice Member(int rule, SkinFamily member, ChildWalk walk = ChildWalk::None) {
  SkinChoice choice;
  choice.rule = rule;
  choice.member = member;
  choice.walk = walk;
  return choice;
}

// The kind the Skin3rd table names for the class, lower case and at most 50 characters.
std::optional<std::string> Skin3rdKind(const TSkinData& data, std::string_view className) {
  const std::string prefix = AsciiLowerCase(className) + "=";
  for (int i = 0; i < data.Skin3rd.Count(); ++i) {
    const std::string line = AsciiLowerCase(data.Skin3rd[i]);
    if (line.starts_with(prefix))
      return line.substr(prefix.size(), kKindLimit);
  }
  return std::nullopt;
}

SkinChoice FromKind(const std::string& kind, const TControl& control,
                    const ChooserContext& context) {
  const TSkinData& data = *context.data;
  SkinChoice choice;
  choice.rule = 4;
  choice.kind = kind;
  auto pick = [&](TSkinControlType needs, SkinFamily member, ChildWalk walk = ChildWalk::None) {
    if (Has(data, needs)) {
      choice.member = member;
      choice.walk = walk;
    }
  };
  const std::string upper = AsciiUpperCase(control.ClassName());
  if (kind == "combobox" || kind == "comboboxex") {
    pick(T::xcCombo, SkinFamily::TSkinComBox);
  } else if (kind == "edit") {
    if (context.windows->HasBorder(control))
      pick(T::xcEdit, SkinFamily::TSkinEdit);
  } else if (kind == "radiobutton") {
    pick(T::xcRadioButton, SkinFamily::TSkinRadioButton);
  } else if (kind == "panel") {
    pick(T::xcPanel, SkinFamily::TSkinBox, ChildWalk::Children);
    choice.setTransparent = choice.member != SkinFamily::None;
  } else if (kind == "trackbar") {
    pick(T::xcTrackBar, SkinFamily::TSkinTrackBar);
    choice.setTransparent = choice.member != SkinFamily::None;
  } else if (kind == "button") {
    pick(T::xcButton, SkinFamily::TSkinButton);
  } else if (kind == "datetimepicker") {
    pick(T::xcCombo, SkinFamily::TSkinDateTime);
  } else if (kind == "mediaplayer") {
    pick(T::xcButton, SkinFamily::TSkinMP);
  } else if (kind == "bitbtn") {
    const bool dropDown = upper == "TCXBUTTON" && control.Property("Kind") == "cxbkDropDownButton";
    pick(T::xcButton, dropDown ? SkinFamily::TSkinMenuButton : SkinFamily::TSkinBitButton);
  } else if (kind == "pngbitbtn" || kind == "pngspeedbutton") {
    pick(T::xcButton,
         kind == "pngbitbtn" ? SkinFamily::TSkinBitButton : SkinFamily::TSkinSpeedButton);
    if (choice.member != SkinFamily::None)
      choice.imageProperty = "PngImage";
  } else if (kind == "menubtn") {
    pick(T::xcButton, SkinFamily::TSkinMenuButton);
  } else if (kind == "speedbutton") {
    pick(T::xcSpeedButton, SkinFamily::TSkinSpeedButton);
  } else if (kind == "tab") {
    if (SkinHasTabs(data))
      pick(T::xcTab, SkinFamily::TSkinTab);
  } else if (kind == "progress") {
    pick(T::xcProgress, SkinFamily::TSkinProgress);
  } else if (kind == "scrollbar") {
    pick(T::xcScrollbar, SkinFamily::TSkinScrollbar, ChildWalk::Children);
  } else if (kind == "singlescrollbar") {
    pick(T::xcScrollbar, SkinFamily::TSkinScrollbarH);
  } else if (kind == "embedscrollbar") {
    if (Has(data, T::xcScrollbar))
      choice.walk = ChildWalk::ScrollableChildren;
  } else if (kind == "container") {
    choice.walk = ChildWalk::Children;
  } else if (kind == "groupbox") {
    pick(T::xcGroupBox, SkinFamily::TSkinGroupBox);
  } else if (kind == "advpagecontrol") {
    pick(T::xcTab, SkinFamily::TSkinAdvPage);
  } else if (kind == "radiogroup") {
    pick(T::xcGroupBox, SkinFamily::TSkinGroupBox, ChildWalk::GroupChildren);
  } else if (kind == "checkgroup") {
    if (Has(data, T::xcPanel)) {
      choice.walk = ChildWalk::GroupChildren;
      if (Has(data, T::xcGroupBox))
        choice.member = SkinFamily::TSkinGroupBox;
    }
  } else if (kind == "checkbox") {
    pick(T::xcCheckBox, SkinFamily::TSkinCheckBox);
  }
  return choice;
}

// Rules 5 to 10, by class.
SkinChoice ByClass(const TControl& control, const ChooserContext& context) {
  const TSkinData& data = *context.data;
  const std::string upper = AsciiUpperCase(control.ClassName());
  const ControlKind kind = KindOf(control);

  if (OneOf(upper, {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"}))
    return Member(5, SkinFamily::None);

  if (Has(data, T::xcTab) && SkinHasTabs(data)) {
    if (kind == ControlKind::PageControl)
      return Member(6, control.Property("Style") != "tsTabs" ? SkinFamily::TSkinTabBtn
                                                             : SkinFamily::TSkinTab);
    if (kind == ControlKind::TabControl || upper == "TTABBEDNOTEBOOK")
      return Member(6, SkinFamily::TSkinTab);
    if (upper == "TTABSET")
      return Member(6, SkinFamily::TSkinTab31);
    if (kind == ControlKind::TabSheet)
      return Member(6, SkinFamily::TSkinTabSheet);
    if (upper == "TMVCPANEL")
      return Member(6, SkinFamily::None, ChildWalk::Children);
  }

  if (OneOf(upper, {"TUPDOWN", "TSPINBUTTON"}) && Has(data, T::xcSpin))
    return Member(7, SkinFamily::TSkinUpDown);
  if (upper == "TMEDIAPLAYER" && Has(data, T::xcButton))
    return Member(7, SkinFamily::TSkinMP);
  if (upper == "TDBNAVIGATOR" && Has(data, T::xcPanel))
    return Member(7, SkinFamily::TSkinBox, ChildWalk::Children);
  if ((OneOf(upper, {"TRZCHECKBOX", "TRZDBCHECKBOX", "TCXCHECKBOX", "TCXDBCHECKBOX"}) &&
       Has(data, T::xcCheckBox)) ||
      (OneOf(upper, {"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}) && Has(data, T::xcRadioButton)))
    return Member(7, SkinFamily::TSkinObjImage);

  const bool scrollbars = Has(data, T::xcScrollbar);
  if (kind == ControlKind::ProgressBar && Has(data, T::xcProgress))
    return Member(8, SkinFamily::TSkinProgress);
  if ((kind == ControlKind::ComboBox || upper == "TTNTCOMBOBOX") && Has(data, T::xcCombo))
    return Member(8, SkinFamily::TSkinComBox);
  if (scrollbars && OneOf(upper, {"TRICHEDIT", "TWWDBRICHEDIT", "TDXDBMEMO"}))
    return Member(8, SkinFamily::TSkinScrollbar);
  if (kind == ControlKind::Panel && Has(data, T::xcPanel))
    return Member(8, SkinFamily::TSkinBox, ChildWalk::Children);
  if (scrollbars && OneOf(upper, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}))
    return Member(8, SkinFamily::TSkinScrollbar);
  if (scrollbars &&
      (kind == ControlKind::Memo || kind == ControlKind::RichEdit || kind == ControlKind::Grid))
    return Member(8, SkinFamily::TSkinScrollbar);
  if (scrollbars && (kind == ControlKind::ListBox ||
                     (context.windows->Style(control) & (kWsHScroll | kWsVScroll)) != 0))
    return Member(8, SkinFamily::TSkinScrollbar);

  if (kind == ControlKind::PushButton && Has(data, T::xcButton))
    return Member(9, SkinFamily::TSkinButton);
  if (kind == ControlKind::Edit && Has(data, T::xcEdit))
    return Member(9, SkinFamily::TSkinEdit);

  if (OneOf(upper, {"TDCEDIT", "TDCDBEDIT"})) {
    const std::optional<std::string> buttons = control.Property("NumButtons");
    if (buttons == "1" && Has(data, T::xcCombo))
      return Member(10, SkinFamily::TSkinComBox);
    if (buttons == "0" && Has(data, T::xcEdit))
      return Member(10, SkinFamily::TSkinEdit);
    return Member(10, SkinFamily::None);
  }
  if (kind == ControlKind::Form)
    return Member(10, SkinFamily::TSkinBox, ChildWalk::Children);
  return {};
}

bool Scrollable(const TControl& control, const ControlWindows& windows) {
  const ControlKind kind = KindOf(control);
  return kind == ControlKind::ListBox || kind == ControlKind::Memo ||
         kind == ControlKind::RichEdit || kind == ControlKind::Grid ||
         (windows.Style(control) & (kWsHScroll | kWsVScroll)) != 0;
}

constexpr std::pair<SkinFamily, const char*> kFamilyNames[] = {
    {SkinFamily::None, ""},
    {SkinFamily::TSkinButton, "TSkinButton"},
    {SkinFamily::TSkinBitButton, "TSkinBitButton"},
    {SkinFamily::TSkinMenuButton, "TSkinMenuButton"},
    {SkinFamily::TSkinSpeedButton, "TSkinSpeedButton"},
    {SkinFamily::TSkinCheckBox, "TSkinCheckBox"},
    {SkinFamily::TSkinRadioButton, "TSkinRadioButton"},
    {SkinFamily::TSkinObjImage, "TSkinObjImage"},
    {SkinFamily::TSkinComBox, "TSkinComBox"},
    {SkinFamily::TSkinDateTime, "TSkinDateTime"},
    {SkinFamily::TSkinEdit, "TSkinEdit"},
    {SkinFamily::TSkinProgress, "TSkinProgress"},
    {SkinFamily::TSkinTrackBar, "TSkinTrackBar"},
    {SkinFamily::TSkinUpDown, "TSkinUpDown"},
    {SkinFamily::TSkinTab, "TSkinTab"},
    {SkinFamily::TSkinTab31, "TSkinTab31"},
    {SkinFamily::TSkinTabBtn, "TSkinTabBtn"},
    {SkinFamily::TSkinTabSheet, "TSkinTabSheet"},
    {SkinFamily::TSkinAdvPage, "TSkinAdvPage"},
    {SkinFamily::TSkinStatusBar, "TSkinStatusBar"},
    {SkinFamily::TSkinGroupBox, "TSkinGroupBox"},
    {SkinFamily::TSkinBox, "TSkinBox"},
    {SkinFamily::TSkinBoxH, "TSkinBoxH"},
    {SkinFamily::TSkinHeader, "TSkinHeader"},
    {SkinFamily::TSkinSizer, "TSkinSizer"},
    {SkinFamily::TSkinMP, "TSkinMP"},
    {SkinFamily::TSkinScrollbar, "TSkinScrollbar"},
    {SkinFamily::TSkinScrollbarH, "TSkinScrollbarH"},
    {SkinFamily::TComboxScrollBar, "TComboxScrollBar"},
    {SkinFamily::TSkinListView, "TSkinListView"},
    {SkinFamily::TSkinScControl, "TSkinScControl"},
    {SkinFamily::Supplied, "(supplied)"},
};

constexpr std::pair<std::string_view, ControlKind> kKinds[] = {
    {"TLabel", ControlKind::Graphic},
    {"TImage", ControlKind::Graphic},
    {"TBevel", ControlKind::Graphic},
    {"TShape", ControlKind::Graphic},
    {"TPaintBox", ControlKind::Graphic},
    {"TButton", ControlKind::PushButton},
    {"TEdit", ControlKind::Edit},
    {"TMaskEdit", ControlKind::Edit},
    {"TLabeledEdit", ControlKind::Edit},
    {"TMemo", ControlKind::Memo},
    {"TRichEdit", ControlKind::RichEdit},
    {"TComboBox", ControlKind::ComboBox},
    {"TListBox", ControlKind::ListBox},
    {"TCheckListBox", ControlKind::ListBox},
    {"TValueListEditor", ControlKind::Grid},
    {"TStringGrid", ControlKind::Grid},
    {"TDrawGrid", ControlKind::Grid},
    {"TDBGrid", ControlKind::Grid},
    {"TPageControl", ControlKind::PageControl},
    {"TTabControl", ControlKind::TabControl},
    {"TTabSheet", ControlKind::TabSheet},
    {"TProgressBar", ControlKind::ProgressBar},
    {"TPanel", ControlKind::Panel},
    {"TForm", ControlKind::Form},
    {"TFrame", ControlKind::Form},
};

} // namespace

const char* SkinFamilyName(SkinFamily member) {
  for (const auto& [value, name] : kFamilyNames)
    if (value == member)
      return name;
  return "";
}

ControlKind KindOf(const TControl& control) {
  if (dynamic_cast<const TForm*>(&control) != nullptr)
    return ControlKind::Form;
  for (const auto& [name, kind] : kKinds)
    if (AsciiEqualIgnoringCase(name, control.ClassName()))
      return kind;
  return ControlKind::Other;
}

SkinChoice ChooseForControl(TControl& control, const ChooserContext& context) {
  TSkinData& data = *context.data;
  ControlWindows& windows = *context.windows;

  if (control.Tag() == data.DisableTag) {
    const std::string lower = AsciiLowerCase(control.ClassName());
    if (lower.find("radiogroup") != std::string::npos ||
        lower.find("checkgroup") != std::string::npos)
      for (TControl* child : ChildrenOf(control, context.controls))
        child->SetTag(data.DisableTag);
    return Member(1, SkinFamily::None);
  }

  if (windows.AlreadySkinned(control))
    return Member(2, SkinFamily::None);
  if (!windows.HasHandle(control) && !windows.EnsureHandle(control))
    return Member(2, SkinFamily::None);

  if (data.OnSkinControl) {
    TSkinControl* supplied = nullptr;
    data.OnSkinControl(context.formObject, data, context.form, &control,
                       AsciiUpperCase(control.ClassName()), supplied);
    if (supplied != nullptr) {
      SkinChoice choice = Member(3, SkinFamily::Supplied);
      choice.supplied = supplied;
      if (KindOf(control) == ControlKind::Panel)
        choice.walk = ChildWalk::Children;
      return choice;
    }
  }

  if (const std::optional<std::string> kind = Skin3rdKind(data, control.ClassName()))
    return FromKind(*kind, control, context);

  return ByClass(control, context);
}

SkinFamily GroupChildMember(const SkinChoice& group, const TControl& child, const TSkinData& data) {
  if (group.walk != ChildWalk::GroupChildren || !Has(data, T::xcRadioButton))
    return SkinFamily::None;
  if (AsciiUpperCase(child.ClassName()).find("TRZ") != std::string::npos)
    return SkinFamily::TSkinObjImage;
  return group.kind == "checkgroup" ? SkinFamily::TSkinCheckBox : SkinFamily::TSkinRadioButton;
}

SkinChoice ChooseForWindow(std::string_view className, WindowStyle style, const TSkinData& data) {
  const std::string name = AsciiLowerCase(className);
  auto pick = [&](int rule, TSkinControlType needs, SkinFamily member,
                  ChildWalk walk = ChildWalk::None) {
    return Has(data, needs) ? Member(rule, member, walk) : Member(rule, SkinFamily::None);
  };
  if (name == "button") {
    const WindowStyle type = style & kBsTypeMask;
    if (type == kBsOwnerDraw || type == kBsGroupBox || (style & kBsBitmap) != 0)
      return Member(1, SkinFamily::None);
    if (type == kBsCheckBox || type == kBsAutoCheckBox || type == kBs3State ||
        type == kBsAuto3State)
      return pick(1, T::xcCheckBox, SkinFamily::TSkinCheckBox);
    if (type == kBsRadioButton || type == kBsAutoRadioButton)
      return pick(1, T::xcRadioButton, SkinFamily::TSkinRadioButton);
    return pick(1, T::xcButton, SkinFamily::TSkinButton);
  }
  if (name == "combobox") {
    if ((style & kCbsTypeMask) == kCbsSimple)
      return Member(2, SkinFamily::None);
    return pick(2, T::xcCombo, SkinFamily::TSkinComBox);
  }
  if (name == "comboboxex32") {
    SkinChoice choice = pick(2, T::xcCombo, SkinFamily::None, ChildWalk::InnerCombo);
    if (Has(data, T::xcCombo))
      choice.childMember = SkinFamily::TSkinComBox;
    return choice;
  }
  const bool tabStop = (style & kWsTabStop) != 0;
  if (name == "scrollbar")
    return Member(3, tabStop ? SkinFamily::None : SkinFamily::TSkinSizer);
  if (name == "#32770")
    return tabStop ? Member(3, SkinFamily::None)
                   : Member(3, SkinFamily::TSkinBox, ChildWalk::Children);
  if (OneOf(name, {"tpanel", "ttntpanel.unicodeclass", "ttntsilentpaintpanel.unicodeclass",
                   "tsilentpaintpanel"})) {
    SkinChoice choice = Member(3, SkinFamily::None);
    choice.useFaceColour = true;
    return choice;
  }
  if (name == "tcheckbox")
    return pick(3, T::xcCheckBox, SkinFamily::TSkinCheckBox);
  if (name == "tcombobox")
    return pick(3, T::xcCombo, SkinFamily::TSkinComBox);
  if (name == "tbutton")
    return pick(3, T::xcButton, SkinFamily::TSkinButton);
  if (name == "tprogressbar")
    return pick(3, T::xcProgress, SkinFamily::TSkinProgress);
  if (name == "systabcontrol32") {
    if ((style & kTcsOwnerDrawFixed) != 0)
      return Member(3, SkinFamily::None);
    return pick(3, T::xcTab, SkinFamily::TSkinTab);
  }
  if (name == "toolbarwindow32")
    return Member(3, SkinFamily::TSkinBox);
  // The common controls that have a painter: a list view's column header (no member of the
  // set switches headers), status bars, track bars and up-down controls.
  if (name == "sysheader32")
    return Member(3, SkinFamily::TSkinHeader);
  if (name == "msctls_statusbar32")
    return pick(3, T::xcStatusBar, SkinFamily::TSkinStatusBar);
  if (name == "msctls_trackbar32")
    return pick(3, T::xcTrackBar, SkinFamily::TSkinTrackBar);
  if (name == "msctls_updown32")
    return pick(3, T::xcSpin, SkinFamily::TSkinUpDown);
  if (name == "edit")
    return pick(3, T::xcEdit, SkinFamily::TSkinEdit);
  return {};
}

namespace {

// The platform's answers, plus the controls this walk has given a member already.
class TrackingWindows final : public ControlWindows {
public:
  explicit TrackingWindows(ControlWindows& inner) : inner_(inner) {}
  bool EnsureHandle(TControl& c) override { return inner_.EnsureHandle(c); }
  bool HasHandle(const TControl& c) const override { return inner_.HasHandle(c); }
  bool AlreadySkinned(const TControl& c) const override {
    return done.contains(&c) || inner_.AlreadySkinned(c);
  }
  WindowStyle Style(const TControl& c) const override { return inner_.Style(c); }
  bool HasBorder(const TControl& c) const override { return inner_.HasBorder(c); }
  std::set<const TControl*> done;

private:
  ControlWindows& inner_;
};

class FormWalk {
public:
  FormWalk(const ChooserContext& context, FormControlsPlan& plan)
      : windows_(*context.windows), context_(context), plan_(plan) {
    context_.windows = &windows_;
  }

  void Run(TControl& control) {
    const SkinChoice choice = ChooseForControl(control, context_);
    if (choice.member != SkinFamily::None || choice.supplied != nullptr)
      Assign(control, choice);
    std::vector<TControl*> children = ChildrenOf(control, context_.controls);
    // A form embedded as a control keeps its own components.
    if (const auto* embedded = dynamic_cast<const TForm*>(&control))
      children.insert(children.end(), embedded->Controls().begin(), embedded->Controls().end());
    switch (choice.walk) {
    case ChildWalk::Children:
      for (TControl* child : children)
        Run(*child);
      break;
    case ChildWalk::ScrollableChildren:
      for (TControl* child : children)
        if (!windows_.AlreadySkinned(*child) && Scrollable(*child, windows_))
          Assign(*child, Member(choice.rule, SkinFamily::TSkinScrollbar));
      break;
    case ChildWalk::GroupChildren:
      for (TControl* child : children) {
        const SkinFamily member = GroupChildMember(choice, *child, *context_.data);
        if (member != SkinFamily::None && !windows_.AlreadySkinned(*child))
          Assign(*child, Member(choice.rule, member));
      }
      break;
    case ChildWalk::None:
    case ChildWalk::InnerCombo:
      break;
    }
  }

  bool Skippable(const TControl& control) const {
    return !windows_.HasHandle(control) || control.Tag() == context_.data->DisableTag ||
           windows_.AlreadySkinned(control);
  }

private:
  void Assign(TControl& control, const SkinChoice& choice) {
    windows_.done.insert(&control);
    plan_.assignments.push_back({&control, choice});
  }

  TrackingWindows windows_;
  ChooserContext context_;
  FormControlsPlan& plan_;
};

} // namespace

FormControlsPlan SkinFormControls(const ChooserContext& context) {
  FormControlsPlan plan;
  plan.preparePopupMenus = Has(*context.data, T::xcPopupMenu);
  FormWalk walk(context, plan);
  for (TControl* control : context.controls)
    if (control != nullptr)
      walk.Run(*control);
  for (TControl* control : context.controls)
    if (control != nullptr && !walk.Skippable(*control))
      walk.Run(*control);
  return plan;
}

} // namespace tw
