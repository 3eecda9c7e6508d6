// The main window's controls as the skin engine's chooser sees them when its skinning starts.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/WKS_Main.h"
#include "runtime/seam.h"
#include "skin/model/embedded_skin.h"
#include "skin/model/portable_skin_manager.h"
#include "skin/model/skin_manager.h"
#include "skin/model/skin_platform.h"
#include "skin/paint/control_chooser.h"
#include "support/platform.h"

namespace tw {
namespace {

// Every windowed control has its window; none is skinned yet.
class AllWindowed final : public ControlWindows {
public:
  bool EnsureHandle(TControl& c) override { return KindOf(c) != ControlKind::Graphic; }
  bool HasHandle(const TControl& c) const override { return KindOf(c) != ControlKind::Graphic; }
  bool AlreadySkinned(const TControl&) const override { return false; }
  WindowStyle Style(const TControl&) const override { return 0; }
  bool HasBorder(const TControl&) const override { return false; }
};

class MainWindowSkinChoiceTest : public test::PortablePlatformTest {
protected:
  PortableSkinPlatform skinPlatform;
  PortableSkinManager skinManager;
  ScopedSeam<SkinPlatform> skinPlatformSeam{skinPlatform};
  ScopedSeam<SkinManagerApi> skinManagerSeam{skinManager};
};

TEST_F(MainWindowSkinChoiceTest, EveryControlGetsItsMember) {
  TWKSForm form;
  form.ReadFormData(EmbeddedSkinStream());
  ASSERT_FALSE(form.SkinData1.NoSkin());
  AllWindowed windows;
  ChooserContext context;
  context.data = &form.SkinData1;
  context.windows = &windows;
  context.form = &form;
  context.controls = form.Controls();
  const FormControlsPlan plan = SkinFormControls(context);

  std::map<SkinFamily, int> counts;
  std::map<const TControl*, SkinFamily> member;
  for (const SkinAssignment& a : plan.assignments) {
    EXPECT_TRUE(member.emplace(a.control, a.choice.member).second) << a.control->Name();
    ++counts[a.choice.member];
  }
  // The first two tabs' 23 buttons, 2 combo boxes, 5 scrolling lists, 2 sheets and 2 progress
  // bars, and the Windows 7 - 11 tab's 10 buttons, combo box, list, grid, sheet and progress bar.
  EXPECT_EQ(counts[SkinFamily::TSkinButton], 23 + 10);
  EXPECT_EQ(counts[SkinFamily::TSkinComBox], 2 + 1);
  EXPECT_EQ(counts[SkinFamily::TSkinScrollbar], 5 + 2);
  EXPECT_EQ(counts[SkinFamily::TSkinTab], 1);
  EXPECT_EQ(counts[SkinFamily::TSkinTabSheet], 2 + 1);
  EXPECT_EQ(counts[SkinFamily::TSkinProgress], 2 + 1);
  EXPECT_EQ(plan.assignments.size(), 35u + 15u);

  const std::vector<const TControl*> scrolling = {&form.ZList,   &form.LT,       &form.NMList,
                                                  &form.Preview, &form.Preview2, &form.WList,
                                                  &form.Preview3};
  for (const TControl* c : scrolling)
    EXPECT_EQ(member[c], SkinFamily::TSkinScrollbar) << c->Name();
  EXPECT_EQ(member[&form.cmbSave], SkinFamily::TSkinComBox);
  EXPECT_EQ(member[&form.ComboBox1], SkinFamily::TSkinComBox);
  EXPECT_EQ(member[&form.PageControl1], SkinFamily::TSkinTab);
  EXPECT_EQ(member[&form.TabSheet1], SkinFamily::TSkinTabSheet);
  EXPECT_EQ(member[&form.Progress], SkinFamily::TSkinProgress);
  EXPECT_EQ(member[&form.Button20], SkinFamily::TSkinButton);
  // Labels, images and bevels stay as they are.
  for (const TControl* c : form.Controls()) {
    if (KindOf(*c) == ControlKind::Graphic) {
      EXPECT_FALSE(member.contains(c)) << c->Name();
    }
  }
  EXPECT_EQ(KindOf(form.Bevel1), ControlKind::Graphic);
  EXPECT_EQ(KindOf(form.title), ControlKind::Graphic);
  EXPECT_EQ(KindOf(form.Icon), ControlKind::Graphic);
}

} // namespace
} // namespace tw
