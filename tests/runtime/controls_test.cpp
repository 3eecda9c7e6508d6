#include <gtest/gtest.h>

#include "runtime/controls.h"

namespace tw {
namespace {

struct RecordingView : ControlView {
  void ModelChanged(TControl&, ControlChange change) override { changes.push_back(change); }
  std::vector<ControlChange> changes;
};

TEST(TListBox, SortedListInsertsInCollationOrder) {
  TListBox list("list");
  list.SetSorted(true);
  for (const char* s : {"url2", "url10", "Zeta", "alpha", "-dash", "beta"})
    list.Items().Add(s);
  EXPECT_EQ(list.Items().ToVector(),
            (std::vector<std::string>{"alpha", "beta", "-dash", "url10", "url2", "Zeta"}));
}

TEST(TListBox, SwitchingToSortedReordersAndBackKeepsOrder) {
  TListBox list("LT");
  for (const char* s : {"c=3", "A=1", "b=2"})
    list.Items().Add(s);
  list.SetSorted(true);
  EXPECT_EQ(list.Items().ToVector(), (std::vector<std::string>{"A=1", "b=2", "c=3"}));
  list.SetSorted(false);
  list.Items().Add("a=0");
  EXPECT_EQ(list.Items()[3], "a=0");
}

TEST(TListBox, SelectionFollowsDeletionsAndClears) {
  TListBox list("list");
  for (const char* s : {"a", "b", "c"})
    list.Items().Add(s);
  list.SetItemIndex(2);
  list.Items().Delete(0);
  EXPECT_EQ(list.ItemIndex(), 1);
  list.Items().Delete(1);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(7);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(0);
  list.Items().Clear();
  EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(TListBox, SettingTheSelectionFromCodeRaisesNoClick) {
  TListBox list("list");
  list.Items().Add("a");
  int clicks = 0;
  list.OnClick = [&](TControl&) { ++clicks; };
  list.SetItemIndex(0);
  EXPECT_EQ(clicks, 0);
  list.Click();
  EXPECT_EQ(clicks, 1);
}

TEST(TListBox, ChangesWithinAnUpdateReachTheViewOnceAtItsEnd) {
  TListBox list("list");
  RecordingView view;
  list.AttachView(&view);
  {
    const ScopedUpdate outer(list.Items());
    list.Items().Add("a");
    {
      const ScopedUpdate inner(list.Items());
      list.Items().Add("b");
      list.Items().Delete(0);
    }
    EXPECT_TRUE(view.changes.empty()) << "nothing before the outermost update ends";
    list.Items().Put(0, "c");
  }
  EXPECT_EQ(view.changes, std::vector<ControlChange>{ControlChange::Items});
  EXPECT_EQ(list.Items().ToVector(), std::vector<std::string>{"c"});
  { const ScopedUpdate idle(list.Items()); }
  EXPECT_EQ(view.changes.size(), 1u) << "an update without changes tells nothing";
  list.Items().Add("d");
  EXPECT_EQ(view.changes.size(), 2u) << "outside an update every change is told at once";
}

TEST(TValueListEditor, CellsOfTheCurrentRow) {
  TValueListEditor grid("Preview");
  EXPECT_EQ(grid.CurrentKey(), "");
  EXPECT_EQ(grid.CurrentValue(), "");
  grid.Assign(std::vector<std::string>{"k1=v1", "plain", "=only value"});
  grid.SetCurrentRow(1);
  EXPECT_EQ(grid.CurrentKey(), "");
  EXPECT_EQ(grid.CurrentValue(), "plain");
  grid.SetCurrentRow(2);
  EXPECT_EQ(grid.CurrentValue(), "only value");
  // New content starts at its first row.
  grid.Assign(std::vector<std::string>{"x=y"});
  EXPECT_EQ(grid.CurrentRow(), 0);
  EXPECT_EQ(grid.CurrentKey(), "x");
}

TEST(TValueListEditor, NotifiesItsViewOfNewRows) {
  TValueListEditor grid("Preview");
  RecordingView view;
  grid.AttachView(&view);
  grid.Assign(std::vector<std::string>{"a=b"});
  ASSERT_EQ(view.changes.size(), 1u);
  EXPECT_EQ(view.changes[0], ControlChange::Rows);
}

TEST(TProgressBar, StepsAndStartsOverPastTheUpperEnd) {
  TProgressBar bar("Progress");
  bar.SetRange(0, 2);
  bar.SetStep(1);
  bar.StepIt();
  bar.StepIt();
  EXPECT_EQ(bar.Position(), 2);
  bar.StepIt();
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPosition(99);
  EXPECT_EQ(bar.Position(), 2);
}

} // namespace
} // namespace tw
