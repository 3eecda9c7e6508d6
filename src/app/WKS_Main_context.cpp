// The preview grids' context menu: the buttons below the grid as menu items, so that the
// actions they offer are at hand on the row itself. An item clicks its button, which runs the
// button's own handler with the button's Tag.

#include "app/WKS_Main.h"

namespace tw {

std::vector<TButton*> TWKSForm::PreviewButtons(const TValueListEditor& grid) {
  for (const Page& page : Pages()) {
    if (page.preview != &grid)
      continue;
    const auto& b = page.navigation;
    // Copying, finding the target and opening, a separator between the groups.
    return {b[0], b[1], nullptr, b[2], b[3], nullptr, b[4], b[5], b[6], b[7]};
  }
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
