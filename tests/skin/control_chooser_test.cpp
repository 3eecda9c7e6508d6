// Which skinning member a control or a bare window gets, and the walk over a form's controls.

#include <map>
#include <set>

#include "runtime/forms.h"
#include "skin/model/embedded_skin.h"
#include "skin/paint/control_chooser.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

// Windows as the platform would report them: every control but graphic ones can have one.
class FakeWindows final : public ControlWindows {
public:
  bool EnsureHandle(TControl& c) override {
    if (KindOf(c) == ControlKind::Graphic)
      return false;
    created.insert(&c);
    return true;
  }
  bool HasHandle(const TControl& c) const override { return created.contains(&c); }
  bool AlreadySkinned(const TControl& c) const override { return skinned.contains(&c); }
  WindowStyle Style(const TControl& c) const override {
    const auto it = styles.find(&c);
    return it == styles.end() ? 0 : it->second;
  }
  bool HasBorder(const TControl& c) const override { return bordered.contains(&c); }

  std::set<const TControl*> created, skinned, bordered;
  std::map<const TControl*, WindowStyle> styles;
};

class Styled final : public TControl {
public:
  Styled(std::string className, std::map<std::string, std::string, std::less<>> properties)
      : TControl(std::move(className), "x"), properties_(std::move(properties)) {}
  std::optional<std::string> Property(std::string_view name) const override {
    const auto it = properties_.find(name);
    if (it != properties_.end())
      return it->second;
    return TControl::Property(name);
  }

private:
  std::map<std::string, std::string, std::less<>> properties_;
};

class ChooserTest : public EmbeddedSkinTest {
protected:
  ChooserContext Context() {
    ChooserContext c;
    c.data = &data;
    c.windows = &windows;
    c.form = &form;
    c.controls = form.Controls();
    return c;
  }
  SkinChoice Choose(TControl& control) {
    if (control.Parent() == nullptr)
      form.Insert(control, nullptr, {});
    return ChooseForControl(control, Context());
  }
  TControl& Make(const std::string& className) {
    std::string name = "c";
    name += std::to_string(owned.size());
    owned.push_back(std::make_unique<TControl>(className, name));
    return *owned.back();
  }

  FakeWindows windows;
  TForm form{"TTestForm", "TestForm"};
  std::vector<std::unique_ptr<TControl>> owned;
};

TEST_F(ChooserTest, EveryKindOfTheSkin3rdTable) {
  struct Case {
    const char* kind;
    SkinFamily member;
    ChildWalk walk;
  };
  const Case cases[] = {
      {"nil", SkinFamily::None, ChildWalk::None},
      {"combobox", SkinFamily::TSkinComBox, ChildWalk::None},
      {"comboboxex", SkinFamily::TSkinComBox, ChildWalk::None},
      {"edit", SkinFamily::TSkinEdit, ChildWalk::None},
      {"radiobutton", SkinFamily::TSkinRadioButton, ChildWalk::None},
      {"Panel", SkinFamily::TSkinBox, ChildWalk::Children},
      {"trackbar", SkinFamily::TSkinTrackBar, ChildWalk::None},
      {"button", SkinFamily::TSkinButton, ChildWalk::None},
      {"datetimepicker", SkinFamily::TSkinDateTime, ChildWalk::None},
      {"mediaplayer", SkinFamily::TSkinMP, ChildWalk::None},
      {"bitbtn", SkinFamily::TSkinBitButton, ChildWalk::None},
      {"pngbitbtn", SkinFamily::TSkinBitButton, ChildWalk::None},
      {"pngspeedbutton", SkinFamily::TSkinSpeedButton, ChildWalk::None},
      {"menubtn", SkinFamily::TSkinMenuButton, ChildWalk::None},
      {"speedbutton", SkinFamily::TSkinSpeedButton, ChildWalk::None},
      {"tab", SkinFamily::TSkinTab, ChildWalk::None},
      {"progress", SkinFamily::TSkinProgress, ChildWalk::None},
      {"scrollbar", SkinFamily::TSkinScrollbar, ChildWalk::Children},
      {"singlescrollbar", SkinFamily::TSkinScrollbarH, ChildWalk::None},
      {"embedscrollbar", SkinFamily::None, ChildWalk::ScrollableChildren},
      {"container", SkinFamily::None, ChildWalk::Children},
      {"groupbox", SkinFamily::TSkinGroupBox, ChildWalk::None},
      {"advpagecontrol", SkinFamily::TSkinAdvPage, ChildWalk::None},
      {"Radiogroup", SkinFamily::TSkinGroupBox, ChildWalk::GroupChildren},
      {"CheckGroup", SkinFamily::TSkinGroupBox, ChildWalk::GroupChildren},
      {"Checkbox", SkinFamily::TSkinCheckBox, ChildWalk::None},
      {"nothing-we-know", SkinFamily::None, ChildWalk::None},
  };
  for (const Case& c : cases) {
    // A class that would be a push button by itself, so only the table decides.
    const std::string className = "TKind" + std::to_string(&c - cases);
    data.Skin3rd.Add(className + "=" + c.kind);
    TControl& control = Make(className);
    windows.bordered.insert(&control);
    const SkinChoice choice = Choose(control);
    EXPECT_EQ(choice.rule, 4) << c.kind;
    EXPECT_EQ(choice.member, c.member) << c.kind;
    EXPECT_EQ(choice.walk, c.walk) << c.kind;
    EXPECT_EQ(choice.setTransparent,
              std::string_view(c.kind) == "Panel" || std::string_view(c.kind) == "trackbar")
        << c.kind;
    EXPECT_EQ(choice.imageProperty.empty(), !std::string_view(c.kind).starts_with("png")) << c.kind;
  }
}

TEST_F(ChooserTest, AFoundKindEndsTheChooserEvenWhenItSkinsNothing) {
  data.Skin3rd.Add("TButton=nil");
  TButton button("Button1");
  EXPECT_EQ(Choose(button).member, SkinFamily::None);
  EXPECT_EQ(Choose(button).rule, 4);
  // An edit kind skins only controls with a border.
  data.Skin3rd.Add("TEditLike=edit");
  TControl& bare = Make("TEditLike");
  EXPECT_EQ(Choose(bare).member, SkinFamily::None);
  // The member is missing from SkinControls: a default-listed combo class stays standard.
  data.SkinControls.Exclude(TSkinControlType::xcCombo);
  TControl& combo = Make("TcxDBComboBox");
  const SkinChoice choice = Choose(combo);
  EXPECT_EQ(choice.rule, 4);
  EXPECT_EQ(choice.kind, "combobox");
  EXPECT_EQ(choice.member, SkinFamily::None);
}

TEST_F(ChooserTest, LookupIsAPrefixOfTheLowerCasedLineAndTheKindAtMost50Characters) {
  TControl& raizeButton = Make("TRZBUTTON"); // listed as TRzButton=button
  EXPECT_EQ(Choose(raizeButton).member, SkinFamily::TSkinButton);
  data.Skin3rd.Add("TProgressBarEx=button");
  TProgressBar progress("P"); // "tprogressbar=" is no prefix of the line above
  EXPECT_EQ(Choose(progress).member, SkinFamily::TSkinProgress);
  data.Skin3rd.Add("TLongKind=CheckBox" + std::string(60, 'x'));
  TControl& longKind = Make("TLongKind");
  const SkinChoice choice = Choose(longKind);
  EXPECT_EQ(choice.kind, "checkbox" + std::string(42, 'x'));
  EXPECT_EQ(choice.member, SkinFamily::None);
  // The cxButton drop-down kind is a menu button.
  Styled dropDown("TcxButton", {{"Kind", "cxbkDropDownButton"}});
  EXPECT_EQ(Choose(dropDown).member, SkinFamily::TSkinMenuButton);
}

TEST_F(ChooserTest, DisableTagKeepsAControlAndAGroupsChildrenStandard) {
  TButton button("B");
  button.SetTag(99);
  EXPECT_EQ(Choose(button).rule, 1);
  EXPECT_EQ(Choose(button).member, SkinFamily::None);

  TControl& group = Make("TRzRadioGroup");
  group.SetTag(99);
  form.Insert(group, nullptr, {});
  TControl& first = Make("TRadioLike");
  TControl& second = Make("TRzRadioButton");
  form.Insert(first, &group, {});
  form.Insert(second, &group, {});
  const FormControlsPlan plan = SkinFormControls(Context());
  EXPECT_EQ(first.Tag(), 99);
  EXPECT_EQ(second.Tag(), 99);
  for (const SkinAssignment& a : plan.assignments)
    EXPECT_TRUE(a.control != &group && a.control != &first && a.control != &second);

  // The same group without the Tag: a group box, its children radio buttons (image-style for
  // the vendor's own).
  group.SetTag(0);
  first.SetTag(0);
  second.SetTag(0);
  const FormControlsPlan skinned = SkinFormControls(Context());
  std::map<const TControl*, SkinFamily> got;
  for (const SkinAssignment& a : skinned.assignments)
    got[a.control] = a.choice.member;
  EXPECT_EQ(got[&group], SkinFamily::TSkinGroupBox);
  EXPECT_EQ(got[&first], SkinFamily::TSkinRadioButton);
  EXPECT_EQ(got[&second], SkinFamily::TSkinObjImage);
  EXPECT_TRUE(skinned.preparePopupMenus);
}

TEST_F(ChooserTest, OnSkinControlIsAskedFirst) {
  int token = 0;
  auto* supplied = reinterpret_cast<TSkinControl*>(&token);
  std::vector<std::string> asked;
  data.OnSkinControl = [&](TWinSkinForm*, TSkinData& d, TControl* f, TControl* c,
                           const std::string& controlClass, TSkinControl*& out) {
    EXPECT_EQ(&d, &data);
    EXPECT_EQ(f, &form);
    asked.push_back(controlClass);
    if (c->Name() == "Mine")
      out = supplied;
  };
  TButton mine("Mine");
  TButton other("Other");
  const SkinChoice choice = Choose(mine);
  EXPECT_EQ(choice.member, SkinFamily::Supplied);
  EXPECT_EQ(choice.supplied, supplied);
  EXPECT_EQ(choice.rule, 3);
  EXPECT_EQ(Choose(other).member, SkinFamily::TSkinButton);
  EXPECT_EQ(asked, (std::vector<std::string>{"TBUTTON", "TBUTTON"}));
}

TEST_F(ChooserTest, ClassRules) {
  TControl& edit = Make("TEdit");
  EXPECT_EQ(Choose(edit).member, SkinFamily::TSkinEdit); // by class, border or not
  EXPECT_EQ(Choose(Make("TRichEdit")).member, SkinFamily::TSkinScrollbar);
  EXPECT_EQ(Choose(Make("TMemo")).member, SkinFamily::TSkinScrollbar);
  EXPECT_EQ(Choose(Make("TStringGrid")).member, SkinFamily::TSkinScrollbar);
  TControl& scrolling = Make("TSomethingElse");
  windows.styles[&scrolling] = kWsVScroll;
  EXPECT_EQ(Choose(scrolling).member, SkinFamily::TSkinScrollbar);
  EXPECT_EQ(Choose(Make("TSomethingPlain")).member, SkinFamily::None);
  const SkinChoice panel = Choose(Make("TPanel"));
  EXPECT_EQ(panel.member, SkinFamily::TSkinBox);
  EXPECT_EQ(panel.walk, ChildWalk::Children);
  EXPECT_EQ(Choose(Make("TUpDown")).member, SkinFamily::TSkinUpDown);
  EXPECT_EQ(Choose(Make("TDBNavigator")).walk, ChildWalk::Children);
  EXPECT_EQ(Choose(Make("TcxCheckBox")).member, SkinFamily::TSkinObjImage);
  EXPECT_EQ(Choose(Make("TTabSet")).member, SkinFamily::TSkinTab31);
  Styled buttonTabs("TPageControl", {{"Style", "tsButtons"}});
  EXPECT_EQ(Choose(buttonTabs).member, SkinFamily::TSkinTabBtn);
  Styled oneButton("TDCEdit", {{"NumButtons", "1"}});
  Styled noButton("TDCEdit", {{"NumButtons", "0"}});
  EXPECT_EQ(Choose(oneButton).member, SkinFamily::TSkinComBox);
  EXPECT_EQ(Choose(noButton).member, SkinFamily::TSkinEdit);
  TForm embedded("TFrame1", "Frame1");
  EXPECT_EQ(Choose(embedded).member, SkinFamily::TSkinBox);
  EXPECT_EQ(Choose(Make("TDBComboBoxEh")).rule, 5);
  // Labels have no window: skipped.
  TLabel label("L");
  EXPECT_EQ(Choose(label).rule, 2);
  // Removing xcButton leaves push buttons standard.
  data.SkinControls.Exclude(TSkinControlType::xcButton);
  EXPECT_EQ(Choose(Make("TButton")).member, SkinFamily::None);
}

TEST_F(ChooserTest, TabsNeedTheSkinsTabsElement) {
  TPageControl pages("P");
  TTabSheet sheet("S");
  EXPECT_EQ(Choose(pages).member, SkinFamily::TSkinTab);
  EXPECT_EQ(Choose(sheet).member, SkinFamily::TSkinTabSheet);
  TSkinData bare; // no skin: no Tabs element
  ChooserContext c = Context();
  c.data = &bare;
  EXPECT_EQ(ChooseForControl(pages, c).member, SkinFamily::None);
}

TEST_F(ChooserTest, WalkSkinsEachControlOnceAndSkipsSkinnedWindows) {
  TControl& panel = Make("TPanel");
  TButton inside("Inside");
  TButton skinnedAlready("Skinned");
  TLabel label("Label");
  form.Insert(panel, nullptr, {});
  form.Insert(inside, &panel, {});
  form.Insert(label, &panel, {});
  form.Insert(skinnedAlready, nullptr, {});
  windows.skinned.insert(&skinnedAlready);
  const FormControlsPlan plan = SkinFormControls(Context());
  ASSERT_EQ(plan.assignments.size(), 2u);
  EXPECT_EQ(plan.assignments[0].control, &panel);
  EXPECT_EQ(plan.assignments[1].control, &inside);
  // A form embedded as a control: a box, and its own controls walked.
  TForm frame("TFrame1", "Frame1");
  TButton onFrame("OnFrame");
  frame.Insert(onFrame, nullptr, {});
  form.Insert(frame, nullptr, {});
  const FormControlsPlan withFrame = SkinFormControls(Context());
  ASSERT_EQ(withFrame.assignments.size(), 4u);
  EXPECT_EQ(withFrame.assignments[2].choice.member, SkinFamily::TSkinBox);
  EXPECT_EQ(withFrame.assignments[3].control, &onFrame);
  data.SkinControls.Exclude(TSkinControlType::xcPopupMenu);
  EXPECT_FALSE(SkinFormControls(Context()).preparePopupMenus);
}

TEST_F(ChooserTest, EmbeddedScrollbarsGoToScrollableChildren) {
  data.Skin3rd.Add("TScrollHost=embedscrollbar");
  TControl& host = Make("TScrollHost");
  TListBox list("List");
  TButton button("Button");
  form.Insert(host, nullptr, {});
  form.Insert(list, &host, {});
  form.Insert(button, &host, {});
  const FormControlsPlan plan = SkinFormControls(Context());
  ASSERT_EQ(plan.assignments.size(), 2u);
  EXPECT_EQ(plan.assignments[0].control, &list);
  EXPECT_EQ(plan.assignments[0].choice.member, SkinFamily::TSkinScrollbar);
  EXPECT_EQ(plan.assignments[1].choice.member, SkinFamily::TSkinButton);
}

TEST_F(ChooserTest, WindowsWithoutControlObject) {
  struct Case {
    const char* className;
    WindowStyle style;
    SkinFamily member;
  };
  const Case cases[] = {
      {"Button", kBsPushButton, SkinFamily::TSkinButton},
      {"BUTTON", kBsDefPushButton, SkinFamily::TSkinButton},
      {"Button", kBsAutoCheckBox, SkinFamily::TSkinCheckBox},
      {"Button", kBs3State, SkinFamily::TSkinCheckBox},
      {"Button", kBsAutoRadioButton, SkinFamily::TSkinRadioButton},
      {"Button", kBsGroupBox, SkinFamily::None},
      {"Button", kBsOwnerDraw, SkinFamily::None},
      {"Button", kBsPushButton | kBsBitmap, SkinFamily::None},
      {"ComboBox", 2, SkinFamily::TSkinComBox},
      {"ComboBox", kCbsSimple, SkinFamily::None},
      {"ScrollBar", kSbsSizeGrip, SkinFamily::TSkinSizer},
      {"ScrollBar", kWsTabStop, SkinFamily::None},
      {"#32770", 0, SkinFamily::TSkinBox},
      {"#32770", kWsTabStop, SkinFamily::None},
      {"TCheckBox", 0, SkinFamily::TSkinCheckBox},
      {"TComboBox", 0, SkinFamily::TSkinComBox},
      {"TButton", 0, SkinFamily::TSkinButton},
      {"TProgressBar", 0, SkinFamily::TSkinProgress},
      {"SysTabControl32", 0, SkinFamily::TSkinTab},
      {"SysTabControl32", kTcsOwnerDrawFixed, SkinFamily::None},
      {"ToolbarWindow32", 0, SkinFamily::TSkinBox},
      {"Edit", 0, SkinFamily::TSkinEdit},
      {"SysTreeView32", 0, SkinFamily::None},
      {"SysHeader32", 0, SkinFamily::TSkinHeader},
      {"msctls_statusbar32", 0, SkinFamily::TSkinStatusBar},
      {"msctls_trackbar32", 0, SkinFamily::TSkinTrackBar},
      {"msctls_updown32", 0, SkinFamily::TSkinUpDown},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseForWindow(c.className, c.style, data).member, c.member)
        << c.className << " " << c.style;
  const SkinChoice panel = ChooseForWindow("TPanel", 0, data);
  EXPECT_TRUE(panel.useFaceColour);
  EXPECT_EQ(panel.member, SkinFamily::None);
  const SkinChoice extended = ChooseForWindow("ComboBoxEx32", 0, data);
  EXPECT_EQ(extended.walk, ChildWalk::InnerCombo);
  EXPECT_EQ(extended.childMember, SkinFamily::TSkinComBox);
  // Without xcButton push buttons stay standard, check boxes do not.
  data.SkinControls.Exclude(TSkinControlType::xcButton);
  EXPECT_EQ(ChooseForWindow("Button", kBsPushButton, data).member, SkinFamily::None);
  EXPECT_EQ(ChooseForWindow("Button", kBsCheckBox, data).member, SkinFamily::TSkinCheckBox);
  // Each common control follows its own member of the set.
  data.SkinControls.Exclude(TSkinControlType::xcStatusBar);
  data.SkinControls.Exclude(TSkinControlType::xcSpin);
  EXPECT_EQ(ChooseForWindow("msctls_statusbar32", 0, data).member, SkinFamily::None);
  EXPECT_EQ(ChooseForWindow("msctls_updown32", 0, data).member, SkinFamily::None);
  EXPECT_EQ(ChooseForWindow("msctls_trackbar32", 0, data).member, SkinFamily::TSkinTrackBar);
}

} // namespace
} // namespace tw::test
