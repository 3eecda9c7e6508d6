// The second tab: the applications of the non-Microsoft database and their previews.

#include <string>

#include "app/WKS_Main.h"
#include "nmdb/nmdb.h"

namespace tw {

void TWKSForm::GetNML() {
  const EvidenceScope scope(evidence_.get());
  const NonMicrosoftDatabase database(DatabasePath());
  TStrings& items = NMList.Items();
  // One pass for the list's window, not one for every application added or left out.
  const ScopedUpdate update(items);
  items.Clear();
  for (std::string& name : database.ApplicationNames())
    items.Add(std::move(name));
  NMTotal = items.Count();
  for (int i = items.Count() - 1; i >= 0; --i)
    if (!database.IsInstalled(items[i]))
      items.Delete(i);
}

void TWKSForm::ShowNMListCount() {
  Label3.SetCaption("WKS List : " + std::to_string(NMList.Items().Count()) + "/" +
                    std::to_string(NMTotal) + " items");
}

void TWKSForm::Label3DblClick(TControl& /*sender*/) {
  GetNML();
  // The counts above the list follow the reloaded database.
  ShowNMListCount();
}

void TWKSForm::NMListClick(TControl& /*sender*/) {
  const int index = NMList.ItemIndex();
  const EvidenceScope scope(evidence_.get());
  if (index >= 0)
    Preview2.Assign(NonMicrosoftDatabase(DatabasePath()).PreviewRows(NMList.Items()[index]));
  Label6.SetCaption("Total Items : " + std::to_string(Preview2.RowCount()));
}

} // namespace tw
