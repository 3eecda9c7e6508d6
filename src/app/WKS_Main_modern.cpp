// The third tab, "Windows 7 - 11": the modern catalog laid out, dispatched, saved and navigated
// as the first tab's catalog is.

#include <optional>
#include <string>

#include "app/batch.h"
#include "app/WKS_Main.h"
#include "navigate/navigate.h"
#include "readers/modern_catalog.h"
#include "report/report.h"

namespace tw {

void TWKSForm::LayoutModernTab() {
  const auto add = [this](TControl& control, TBounds bounds, std::string caption = {},
                          int tag = 0) {
    Insert(control, &TabSheet3, bounds);
    control.SetCaption(std::move(caption));
    control.SetTag(tag);
  };
  Insert(TabSheet3, &PageControl1, {});
  TabSheet3.SetCaption("Windows 7 - 11");
  add(Label7, {8, 8, 57, 13}, "WKS List :");
  Label7.SetBold(true);
  add(Label8, {8, 482, 39, 13}, "Save as");
  add(Bevel3, {208, 4, 3, 497});
  add(Label9, {216, 8, 54, 13}, "Preview :");
  Label9.SetBold(true);
  add(Label10, {731, 8, 83, 13}, "Total Items : 0");
  Label10.SetBold(true);
  Label10.SetAlignment(TAlignment::taRightJustify);
  add(WList, {8, 24, 193, 345});
  add(Button21, {8, 376, 193, 25}, "Save Selected Item");
  add(Button22, {8, 408, 193, 25}, "Save All Items");
  add(ComboBox2, {56, 480, 145, 21});
  ComboBox2.Items().Add("Text File (*.txt)");
  ComboBox2.Items().Add("HTML File (*.html)");
  ComboBox2.SetItemIndex(1);
  add(Preview3, {216, 24, 601, 345}, {}, 1);
  add(ProgressBar2, {216, 476, 601, 25});
  ProgressBar2.SetRange(0, kModernTabSize - 1);
  ProgressBar2.SetStep(1);
  add(Button23, {224, 376, 137, 25}, "Copy Selected Key", 0);
  add(Button24, {224, 408, 137, 25}, "Copy Selected Value", 0);
  add(Button25, {416, 376, 169, 25}, "Find Target - Key", 0);
  add(Button26, {416, 408, 169, 25}, "Find Target - Value", 1);
  add(Button27, {640, 376, 81, 25}, "Open Key", 0);
  add(Button28, {728, 376, 81, 25}, "Open Value", 1);
  add(Button29, {640, 408, 169, 25}, "Open Key + Value", 12);
  add(Button30, {640, 440, 169, 25}, "Open Value + Key", 21);
}

void TWKSForm::ConnectModernEvents() {
  const auto route = [this](void (TWKSForm::*handler)(TControl&)) {
    return [this, handler](TControl& sender) { (this->*handler)(sender); };
  };
  WList.OnClick = [this](TControl& sender) { WListClick(sender); };
  Button21.OnClick = route(&TWKSForm::Button21Click);
  Button22.OnClick = route(&TWKSForm::Button22Click);
  Button23.OnClick = route(&TWKSForm::Button23Click);
  Button24.OnClick = route(&TWKSForm::Button24Click);
  Button25.OnClick = Button26.OnClick = route(&TWKSForm::Button25Click);
  for (TButton* button : {&Button27, &Button28, &Button29, &Button30})
    button->OnClick = route(&TWKSForm::Button27Click);
  Preview3.OnDblClick = route(&TWKSForm::Preview3DblClick);
}

RunOutcome TWKSForm::WListClick(TControl& /*sender*/) {
  return RunItem(ModernTabCatalog(), WList, Preview3, Label10);
}

void TWKSForm::Button21Click(TControl& /*sender*/) {
  const int index = WList.ItemIndex();
  const std::optional<ReportFormat> format = ReportFormatOf(ComboBox2.ItemIndex());
  if (index < 0 || !format)
    return;
  WriteReport(WList.Items()[index], Preview3.Rows(), *format, LinkRule::RemoveQuotes,
              ReportSource());
}

void TWKSForm::Button22Click(TControl& sender) {
  RunBatch({WList, Preview3, Button21, ProgressBar2}, WList.Items().Count(), [&](int i) {
    WList.SetItemIndex(i);
    // As on the first tab: a failed run would leave the previous item's rows under this label.
    if (WListClick(sender) == RunOutcome::Shown)
      Button21Click(sender);
  });
}

void TWKSForm::Button23Click(TControl& /*sender*/) {
  CopyToClipboard(Preview3.CurrentKey());
}

void TWKSForm::Button24Click(TControl& /*sender*/) {
  CopyToClipboard(Preview3.CurrentValue());
}

void TWKSForm::Button25Click(TControl& sender) {
  FindTarget(Handle(), sender.Tag(), Preview3.CurrentKey(), Preview3.CurrentValue());
}

void TWKSForm::Button27Click(TControl& sender) {
  if (evidence_)
    return;
  OpenSelection(Handle(), sender.Tag(), Preview3.CurrentKey(), Preview3.CurrentValue());
}

void TWKSForm::Preview3DblClick(TControl& /*sender*/) {
  Button27Click(Preview3);
}

} // namespace tw
