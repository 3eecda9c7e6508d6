// The buttons under the preview grids: copy a cell, open a cell or a path made of both cells,
// open the folder of the file a cell names. The sender's Tag selects the cells.

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
void TWKSForm::Button4Click(TControl& sender) {
  if (evidence_)
    return;
  OpenSelection(Handle(), sender.Tag(), Preview.CurrentKey(), Preview.CurrentValue());
}

void TWKSForm::Button8Click(TControl& sender) {
  if (evidence_)
    return;
  OpenSelection(Handle(), sender.Tag(), Preview2.CurrentKey(), Preview2.CurrentValue());
}

void TWKSForm::PreviewDblClick(TControl& /*sender*/) {
  Button4Click(Preview);
}

void TWKSForm::Button14Click(TControl& sender) {
  FindTarget(Handle(), sender.Tag(), Preview.CurrentKey(), Preview.CurrentValue());
}

void TWKSForm::Button16Click(TControl& sender) {
  FindTarget(Handle(), sender.Tag(), Preview2.CurrentKey(), Preview2.CurrentValue());
}

} // namespace tw
