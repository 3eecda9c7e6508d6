// The preview grids' context menu: the buttons below the grid as menu items, so that the
// actions they offer are at hand on the row itself. An item clicks its button, which runs the
// button's own handler with the button's Tag.

#include "app/WKS_Main.h"

namespace tw {

std::vector<TButton*> TWKSForm::PreviewButtons(const TValueListEditor& grid) {
  if (&grid == &Preview)
    return {&Button1, &Button3, nullptr,  &Button14, &Button15,
            nullptr,  &Button4, &Button5, &Button11, &Button13};
  if (&grid == &Preview2)
    return {&Button6, &Button7, nullptr,  &Button16, &Button17,
            nullptr,  &Button8, &Button9, &Button18, &Button19};
  if (&grid == &Preview3)
    return {&Button23, &Button24, nullptr,   &Button25, &Button26,
            nullptr,   &Button27, &Button28, &Button29, &Button30};
  return {};
}

bool TWKSForm::PreviewContextPopup(TValueListEditor& grid, int row) {
  const std::vector<TButton*> buttons = PreviewButtons(grid);
  if (buttons.empty())
    return false;
  if (row >= 0 && row < grid.RowCount())
    grid.SetCurrentRow(row);
  PreviewMenu.Items.clear();
  for (TButton* button : buttons) {
    if (button == nullptr)
      PreviewMenu.Items.push_back({"-", true, {}});
    else
      PreviewMenu.Items.push_back(
          {button->Caption(), button->Enabled(), [button] { button->Click(); }});
  }
  return true;
}

} // namespace tw
