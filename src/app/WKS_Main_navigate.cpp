// The buttons under the three tabs' preview grids: copy a cell, open a cell or a path made of
// both cells, open the folder of the file a cell names. The sender's Tag selects the cells.

#include "app/WKS_Main.h"
#include "navigate/navigate.h"

namespace tw {

void TWKSForm::Button1Click(TControl& /*sender*/) {
  CopyToClipboard(Preview.CurrentKey());
}

void TWKSForm::Button3Click(TControl& /*sender*/) {
  CopyToClipboard(Preview.CurrentValue());
}

void TWKSForm::Button6Click(TControl& /*sender*/) {
  CopyToClipboard(Preview2.CurrentKey());
}

void TWKSForm::Button7Click(TControl& /*sender*/) {
  CopyToClipboard(Preview2.CurrentValue());
}

// An offline row's path names a file on another machine: nothing is handed to the shell.
void TWKSForm::OpenFrom(const TValueListEditor& grid, int cells) {
  if (evidence_)
    return;
  OpenSelection(Handle(), cells, grid.CurrentKey(), grid.CurrentValue());
}

void TWKSForm::FindTargetFrom(const TValueListEditor& grid, int cells) {
  FindTarget(Handle(), cells, grid.CurrentKey(), grid.CurrentValue());
}

void TWKSForm::Button4Click(TControl& sender) {
  OpenFrom(Preview, sender.Tag());
}

void TWKSForm::Button8Click(TControl& sender) {
  OpenFrom(Preview2, sender.Tag());
}

void TWKSForm::Button27Click(TControl& sender) {
  OpenFrom(Preview3, sender.Tag());
}

void TWKSForm::Button23Click(TControl& /*sender*/) {
  CopyToClipboard(Preview3.CurrentKey());
}

void TWKSForm::Button24Click(TControl& /*sender*/) {
  CopyToClipboard(Preview3.CurrentValue());
}

void TWKSForm::Preview3DblClick(TControl& /*sender*/) {
  Button27Click(Preview3);
}

void TWKSForm::PreviewDblClick(TControl& /*sender*/) {
  Button4Click(Preview);
}

void TWKSForm::Button14Click(TControl& sender) {
  FindTargetFrom(Preview, sender.Tag());
}

void TWKSForm::Button16Click(TControl& sender) {
  FindTargetFrom(Preview2, sender.Tag());
}

void TWKSForm::Button25Click(TControl& sender) {
  FindTargetFrom(Preview3, sender.Tag());
}

} // namespace tw
