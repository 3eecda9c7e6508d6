// The preview grids' context menu: the buttons below each grid as items, with their captions and
// enabled states, and an item that runs its button's action on the row it was opened on.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/WKS_Main.h"
#include "support/platform.h"

namespace tw {
namespace {

using Launches = std::vector<RecordingShell::Launch>;
constexpr WindowHandle kPreviewWindow = 0x10a2;

class PreviewMenuTest : public test::PortablePlatformTest {
protected:
  void SetUp() override {
    form.SetHandle(kPreviewWindow);
    form.Preview.Assign({"a=cmd\\1", "b=regedit\\1", "c=\\\\FILESRV01\\finance\\1"});
    form.Preview2.Assign({"Recent file=C:\\Docs\\a.txt", "Folder=D:\\Data\\"});
    form.Preview3.Assign({"Path=C:\\Tools\\x.exe", "Last=E:\\case.zip"});
  }

  // The buttons laid out on the grid's sheet below the grid, across its width.
  std::vector<const TControl*> ButtonsBelow(const TValueListEditor& grid) const {
    std::vector<const TControl*> below;
    const TBounds g = grid.Bounds();
    for (const TControl* c : form.Controls())
      if (c->ClassName() == "TButton" && c->Parent() == grid.Parent() &&
          c->Bounds().top >= g.top + g.height && c->Bounds().left >= g.left &&
          c->Bounds().left + c->Bounds().width <= g.left + g.width)
        below.push_back(c);
    return below;
  }

  TWKSForm form;
};

TEST_F(PreviewMenuTest, EachGridOffersExactlyTheButtonsBelowItWithTheirCaptionsAndStates) {
  for (TValueListEditor* grid : {&form.Preview, &form.Preview2, &form.Preview3}) {
    ASSERT_TRUE(form.PreviewContextPopup(*grid, -1)) << grid->Name();
    const std::vector<TButton*> buttons = form.PreviewButtons(*grid);
    const std::vector<TPopupItem>& items = form.PreviewMenu.Items;
    ASSERT_EQ(items.size(), buttons.size());
    std::vector<const TControl*> offered;
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (buttons[i] == nullptr) {
        EXPECT_EQ(items[i].caption, "-");
        continue;
      }
      offered.push_back(buttons[i]);
      EXPECT_EQ(items[i].caption, buttons[i]->Caption());
      EXPECT_EQ(items[i].enabled, buttons[i]->Enabled()) << items[i].caption;
    }
    std::vector<const TControl*> below = ButtonsBelow(*grid);
    EXPECT_EQ(below.size(), 8u) << grid->Name();
    std::sort(offered.begin(), offered.end());
    std::sort(below.begin(), below.end());
    EXPECT_EQ(offered, below) << grid->Name();
    // Groups: copy, find, open; a separator between them and none at either end.
    EXPECT_EQ(items[0].caption, "Copy Selected Key");
    EXPECT_EQ(items[2].caption, "-");
    EXPECT_EQ(items[5].caption, "-");
    EXPECT_NE(items.back().caption, "-");
  }
  // Any other grid has no such menu.
  TValueListEditor other("Other");
  EXPECT_FALSE(form.PreviewContextPopup(other, 0));
}

TEST_F(PreviewMenuTest, OnTheSecondTabTheKeyColumnActionsStayDisabled) {
  ASSERT_TRUE(form.PreviewContextPopup(form.Preview2, 0));
  std::vector<std::string> disabled;
  for (const TPopupItem& item : form.PreviewMenu.Items)
    if (!item.enabled)
      disabled.push_back(item.caption);
  EXPECT_EQ(disabled, (std::vector<std::string>{"Find Target - Key", "Open Key", "Open Key + Value",
                                                "Open Value + Key"}));
  for (TValueListEditor* grid : {&form.Preview, &form.Preview3}) {
    ASSERT_TRUE(form.PreviewContextPopup(*grid, 0));
    for (const TPopupItem& item : form.PreviewMenu.Items)
      EXPECT_TRUE(item.enabled) << item.caption;
  }
}

TEST_F(PreviewMenuTest, TheRowOpenedOnBecomesCurrentAndItemsActOnIt) {
  const auto click = [&](const std::string& caption) {
    for (const TPopupItem& item : form.PreviewMenu.Items)
      if (item.caption == caption && item.onClick) {
        item.onClick();
        return;
      }
    ADD_FAILURE() << caption;
  };
  ASSERT_TRUE(form.PreviewContextPopup(form.Preview, 1));
  EXPECT_EQ(form.Preview.CurrentRow(), 1);
  click("Copy Selected Value");
  EXPECT_EQ(clipboard.Text(), "regedit\\1");
  click("Copy Selected Key");
  EXPECT_EQ(clipboard.Text(), "b");
  click("Open Value + Key");
  EXPECT_EQ(shell.launches, (Launches{{kPreviewWindow, "regedit\\1\\b"}}));

  // A row outside the grid leaves the current row as it is.
  ASSERT_TRUE(form.PreviewContextPopup(form.Preview3, 7));
  EXPECT_EQ(form.Preview3.CurrentRow(), 0);
  click("Copy Selected Value");
  EXPECT_EQ(clipboard.Text(), "C:\\Tools\\x.exe");
  ASSERT_TRUE(form.PreviewContextPopup(form.Preview2, 1));
  click("Copy Selected Value");
  EXPECT_EQ(clipboard.Text(), "D:\\Data\\");
}

} // namespace
} // namespace tw
