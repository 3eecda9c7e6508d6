// The form's controls as laid out: what the window realisation shows.

#include <gtest/gtest.h>

#include "app/WKS_Main.h"

namespace tw {
namespace {

struct Expected {
  const TControl& control;
  TBounds bounds;
  const char* caption;
  int tag;
  bool enabled;
};

TEST(Layout, ControlsHaveTheirBoundsCaptionsTagsAndStates) {
  const TWKSForm f;
  const Expected table[] = {
      {f.ZList, {8, 24, 193, 345}, "", 0, true},
      {f.Save1, {8, 376, 193, 25}, "Save Selected Item", 0, true},
      {f.Save2, {8, 408, 193, 25}, "Save All Items (Guest)", 0, true},
      {f.Save3, {8, 440, 193, 25}, "Save All Items (Admin)", 0, true},
      {f.cmbSave, {56, 480, 145, 21}, "", 0, true},
      {f.Total, {731, 8, 83, 13}, "Total Items : 0", 0, true},
      {f.Preview, {216, 24, 601, 345}, "", 1, true},
      {f.Button1, {224, 376, 137, 25}, "Copy Selected Key", 0, true},
      {f.Button3, {224, 408, 137, 25}, "Copy Selected Value", 0, true},
      {f.Button14, {416, 376, 169, 25}, "Find Target - Key", 0, true},
      {f.Button15, {416, 408, 169, 25}, "Find Target - Value", 1, true},
      {f.Button4, {640, 376, 81, 25}, "Open Key", 0, true},
      {f.Button5, {728, 376, 81, 25}, "Open Value", 1, true},
      {f.Button11, {640, 408, 169, 25}, "Open Key + Value", 12, true},
      {f.Button13, {640, 440, 169, 25}, "Open Value + Key", 21, true},
      {f.Progress, {216, 476, 601, 25}, "", 0, true},
      {f.LT, {432, 0, 17, 17}, "", 0, true},
      {f.Label3, {8, 8, 57, 13}, "WKS List :", 0, true},
      {f.NMList, {8, 24, 193, 345}, "", 0, true},
      {f.Button12, {8, 376, 193, 25}, "Save Selected Item", 0, true},
      {f.Button10, {8, 408, 193, 25}, "Save All Items", 0, true},
      {f.ComboBox1, {56, 480, 145, 21}, "", 0, true},
      {f.Label6, {731, 8, 83, 13}, "Total Items : 0", 0, true},
      {f.Preview2, {216, 24, 601, 345}, "", 1, true},
      {f.Button6, {224, 376, 137, 25}, "Copy Selected Key", 0, true},
      {f.Button7, {224, 408, 137, 25}, "Copy Selected Value", 0, true},
      {f.Button16, {416, 376, 169, 25}, "Find Target - Key", 0, false},
      {f.Button17, {416, 408, 169, 25}, "Find Target - Value", 1, true},
      {f.Button8, {640, 376, 81, 25}, "Open Key", 0, false},
      {f.Button9, {728, 376, 81, 25}, "Open Value", 1, true},
      {f.Button18, {640, 408, 169, 25}, "Open Key + Value", 12, false},
      {f.Button19, {640, 440, 169, 25}, "Open Value + Key", 21, false},
      {f.ProgressBar1, {216, 476, 601, 25}, "", 0, true},
  };
  for (const Expected& e : table) {
    SCOPED_TRACE(e.control.Name());
    EXPECT_EQ(e.control.Bounds(), e.bounds);
    EXPECT_EQ(e.control.Caption(), e.caption);
    EXPECT_EQ(e.control.Tag(), e.tag);
    EXPECT_EQ(e.control.Enabled(), e.enabled);
  }
  EXPECT_FALSE(f.LT.Visible());
}

TEST(Layout, ListsChoicesAndBars) {
  const TWKSForm f;
  EXPECT_TRUE(f.ZList.Sorted());
  EXPECT_TRUE(f.NMList.Sorted());
  EXPECT_EQ(f.NMList.Items().Count(), 0);
  EXPECT_EQ(f.NMTotal, 0);
  for (const TComboBox* choice : {&f.cmbSave, &f.ComboBox1}) {
    EXPECT_EQ(choice->Items().ToVector(),
              (std::vector<std::string>{"Text File (*.txt)", "HTML File (*.html)"}));
    EXPECT_EQ(choice->ItemIndex(), 1);
  }
  EXPECT_EQ(f.Progress.Min(), 0);
  EXPECT_EQ(f.Progress.Max(), 33);
  EXPECT_EQ(f.Progress.Step(), 1);
  EXPECT_EQ(f.ProgressBar1.Max(), 31);
  EXPECT_EQ(f.ProgressBar1.Step(), 1);
  EXPECT_EQ(f.Handle(), 0u);
}

} // namespace
} // namespace tw

namespace tw {
namespace {

std::vector<std::string> WindowedChildrenOf(const TWKSForm& form, const TControl& parent) {
  std::vector<std::string> names;
  for (const TControl* control : form.Controls()) {
    const std::string& kind = control->ClassName();
    if (control->Parent() == &parent && kind != "TLabel" && kind != "TImage" && kind != "TBevel")
      names.push_back(control->Name());
  }
  return names;
}

TEST(Layout, TheFormAndItsHeaderBand) {
  const TWKSForm f;
  EXPECT_EQ(f.Caption(), "Trailwick ( XQV )");
  EXPECT_EQ(f.ClientWidth(), 833);
  EXPECT_EQ(f.ClientHeight(), 590);
  EXPECT_EQ(f.back.Bounds(), (TBounds{-4, 0, 837, 49}));
  EXPECT_EQ(f.Icon.Bounds(), (TBounds{16, 8, 32, 32}));
  EXPECT_EQ(f.title.Bounds(), (TBounds{56, 11, 138, 13}));
  EXPECT_TRUE(f.title.Bold());
  EXPECT_EQ(f.cpr.Bounds(), (TBounds{56, 25, 201, 13}));
  EXPECT_EQ(f.Label58.Caption(), "Last Updated : February 2011");
  EXPECT_EQ(f.Label58.Alignment(), TAlignment::taRightJustify);
  EXPECT_EQ(f.Button20.Caption(), "Homepage");
  EXPECT_EQ(f.Button20.Bounds(), (TBounds{664, 25, 83, 19}));
  EXPECT_EQ(f.Button2.Caption(), "Donate");
  EXPECT_EQ(f.Button2.Bounds(), (TBounds{752, 25, 69, 19}));
  EXPECT_EQ(f.PageControl1.Bounds(), (TBounds{0, 48, 833, 545}));
  EXPECT_EQ(f.PageControl1.ActivePageIndex(), 0);
  EXPECT_EQ(f.TabSheet1.Caption(), "Microsoft");
  EXPECT_EQ(f.TabSheet2.Caption(), "Non Microsoft");
  EXPECT_EQ(f.ZCap.Caption(), "WKS List :");
  EXPECT_TRUE(f.ZCap.Bold());
  EXPECT_EQ(f.Total.Alignment(), TAlignment::taRightJustify);
  EXPECT_EQ(f.Bevel1.Bounds(), (TBounds{208, 4, 3, 497}));
  EXPECT_EQ(f.Label1.Caption(), "Save as");
  EXPECT_EQ(f.Label4.Caption(), "Preview :");
  EXPECT_FALSE(f.LT.Visible());
}

TEST(Layout, TabOrder) {
  const TWKSForm f;
  EXPECT_EQ(WindowedChildrenOf(f, f),
            (std::vector<std::string>{"PageControl1", "Button20", "Button2"}));
  EXPECT_EQ(WindowedChildrenOf(f, f.TabSheet1),
            (std::vector<std::string>{"ZList", "Save1", "Save2", "Save3", "cmbSave", "Preview",
                                      "Progress", "Button1", "Button3", "Button14", "Button15",
                                      "Button4", "Button5", "Button11", "Button13", "LT"}));
  EXPECT_EQ(WindowedChildrenOf(f, f.TabSheet2),
            (std::vector<std::string>{"NMList", "Button12", "Button10", "ComboBox1", "Preview2",
                                      "Button6", "Button7", "Button16", "Button17", "Button8",
                                      "Button9", "ProgressBar1", "Button18", "Button19"}));
}

} // namespace
} // namespace tw
