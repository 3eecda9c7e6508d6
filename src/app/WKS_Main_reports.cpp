// Saving reports from the three tabs, one item or a whole list.

#include <functional>
#include <optional>

#include "app/batch.h"
#include "app/WKS_Main.h"
#include "readers/catalog.h"
#include "readers/modern_catalog.h"
#include "report/report.h"

namespace tw {
namespace {

void SaveSelected(const TListBox& list, const TComboBox& formatChoice, const TValueListEditor& grid,
                  LinkRule rule, const std::string& source) {
  const int index = list.ItemIndex();
  const std::optional<ReportFormat> format = ReportFormatOf(formatChoice.ItemIndex());
  if (index < 0 || !format)
    return;
  WriteReport(list.Items()[index], grid.Rows(), *format, rule, source);
}

} // namespace

void TWKSForm::Save1Click(TControl& /*sender*/) {
  const LinkRule rule =
      ZList.ItemIndex() == kRunPathItem ? LinkRule::RemoveRunPathPrefix : LinkRule::RemoveQuotes;
  SaveSelected(ZList, cmbSave, Preview, rule, ReportSource());
}

void TWKSForm::Button12Click(TControl& /*sender*/) {
  SaveSelected(NMList, ComboBox1, Preview2, LinkRule::RemoveQuotes, ReportSource());
}

void TWKSForm::Save2Click(TControl& sender) {
  SaveCatalog(sender, CatalogScope::CurrentUser);
}

void TWKSForm::Save3Click(TControl& sender) {
  SaveCatalog(sender, CatalogScope::All);
}

void TWKSForm::SaveCatalog(TControl& sender, CatalogScope scope) {
  SaveItems(
      Pages()[0], Catalog(), scope, [&] { return ZListClick(sender); },
      [&] { Save1Click(sender); });
}

void TWKSForm::Button21Click(TControl& /*sender*/) {
  SaveSelected(WList, ComboBox2, Preview3, LinkRule::RemoveQuotes, ReportSource());
}

void TWKSForm::Button22Click(TControl& sender) {
  SaveItems(
      Pages()[2], ModernTabCatalog(), CatalogScope::All, [&] { return WListClick(sender); },
      [&] { Button21Click(sender); });
}

void TWKSForm::SaveItems(const Page& page, std::span<const CatalogItem> catalog, CatalogScope scope,
                         const std::function<RunOutcome()>& run,
                         const std::function<void()>& save) {
  TListBox& list = *page.list;
  RunBatch({list, *page.preview, *page.saves.front(), *page.progress}, list.Items().Count(),
           [&](int i) {
             list.SetItemIndex(i);
             if (scope == CatalogScope::CurrentUser && !IsCurrentUserItem(list.Items()[i]))
               return;
             // The running machine's own figures are no part of the evidence: no report, as
             // the command line's batch leaves them out.
             if (evidence_ && i < static_cast<int>(catalog.size()) &&
                 ReadsLiveSystem(catalog[static_cast<size_t>(i)]))
               return;
             // A reader that failed left the previous item's rows in the preview: writing them
             // under this item's label would mislabel them, so the item gets no report.
             if (run() == RunOutcome::Shown)
               save();
           });
}

void TWKSForm::Button10Click(TControl& sender) {
  const int count = NMList.Items().Count();
  ProgressBar1.SetRange(0, count);
  RunBatch({NMList, Preview2, Button12, ProgressBar1}, count, [&](int i) {
    NMList.SetItemIndex(i);
    NMListClick(sender);
    Button12Click(sender);
  });
}

} // namespace tw
