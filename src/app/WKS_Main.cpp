#include "app/WKS_Main.h"

#include <exception>
#include <string>

#include "app/about.h"
#include "readers/catalog.h"
#include "readers/modern_catalog.h"
#include "readers/reader.h"

namespace tw {
namespace {

void FillFormatChoice(TComboBox& choice) {
  choice.Items().Add("Text File (*.txt)");
  choice.Items().Add("HTML File (*.html)");
  choice.SetItemIndex(1);
}

void Bold(TLabel& label) {
  label.SetBold(true);
}

} // namespace

TWKSForm::TWKSForm() : TForm("TWKSForm", "WKSForm") {
  SetCaption(about::kTitle);
  SetClientSize(833, 590);
  Layout();
  ZList.SetSorted(true);
  for (const CatalogItem& item : Catalog())
    ZList.Items().Add(std::string(item.label));
  // The tab's 15 stand in list order; ShimCache and ShellBags follow them.
  for (const CatalogItem& item : ModernTabCatalog())
    WList.Items().Add(std::string(item.label));
  NMList.SetSorted(true);
  ConnectEvents();
}

// Controls are added in tab order within each parent; windowless ones are painted in the order
// they are added (the header strip first).
void TWKSForm::Layout() {
  const auto add = [this](TControl& control, TControl* parent, TBounds bounds,
                          std::string caption = {}, int tag = 0) {
    Insert(control, parent, bounds);
    control.SetCaption(std::move(caption));
    control.SetTag(tag);
  };

  // Header band.
  add(back, nullptr, {-4, 0, 837, 49});
  back.SetPicture(TPicture::WhitePixel);
  back.SetStretch(true);
  add(Icon, nullptr, {16, 8, 32, 32});
  Icon.SetPicture(TPicture::Logo);
  add(title, nullptr, {56, 11, 138, 13});
  Bold(title);
  add(cpr, nullptr, {56, 25, 201, 13});
  add(Label58, nullptr, {679, 11, 141, 13}, about::kLastUpdated);
  Label58.SetAlignment(TAlignment::taRightJustify);
  add(PageControl1, nullptr, {0, 48, 833, 545});
  PageControl1.AddPage(TabSheet1);
  PageControl1.AddPage(TabSheet2);
  PageControl1.AddPage(TabSheet3);

  // Tab "Microsoft".
  add(TabSheet1, &PageControl1, {}, "Microsoft");
  add(ZCap, &TabSheet1, {8, 8, 57, 13}, "WKS List :");
  Bold(ZCap);
  add(Label1, &TabSheet1, {8, 482, 39, 13}, "Save as");
  add(Bevel1, &TabSheet1, {208, 4, 3, 497});
  add(Label2, &TabSheet1, {216, 8, 54, 13}, "Preview :");
  Bold(Label2);
  add(Total, &TabSheet1, {731, 8, 83, 13}, "Total Items : 0");
  Bold(Total);
  Total.SetAlignment(TAlignment::taRightJustify);
  add(ZList, &TabSheet1, {8, 24, 193, 345});
  add(Save1, &TabSheet1, {8, 376, 193, 25}, "Save Selected Item");
  add(Save2, &TabSheet1, {8, 408, 193, 25}, "Save All Items (Guest)");
  add(Save3, &TabSheet1, {8, 440, 193, 25}, "Save All Items (Admin)");
  add(cmbSave, &TabSheet1, {56, 480, 145, 21});
  FillFormatChoice(cmbSave);
  add(Preview, &TabSheet1, {216, 24, 601, 345}, {}, 1);
  add(Progress, &TabSheet1, {216, 476, 601, 25});
  Progress.SetRange(0, kCatalogSize - 1);
  Progress.SetStep(1);
  add(Button1, &TabSheet1, {224, 376, 137, 25}, "Copy Selected Key", 0);
  add(Button3, &TabSheet1, {224, 408, 137, 25}, "Copy Selected Value", 0);
  add(Button14, &TabSheet1, {416, 376, 169, 25}, "Find Target - Key", 0);
  add(Button15, &TabSheet1, {416, 408, 169, 25}, "Find Target - Value", 1);
  add(Button4, &TabSheet1, {640, 376, 81, 25}, "Open Key", 0);
  add(Button5, &TabSheet1, {728, 376, 81, 25}, "Open Value", 1);
  add(Button11, &TabSheet1, {640, 408, 169, 25}, "Open Key + Value", 12);
  add(Button13, &TabSheet1, {640, 440, 169, 25}, "Open Value + Key", 21);
  add(LT, &TabSheet1, {432, 0, 17, 17});
  LT.SetVisible(false);

  // Tab "Non Microsoft".
  add(TabSheet2, &PageControl1, {}, "Non Microsoft");
  add(Label3, &TabSheet2, {8, 8, 57, 13}, "WKS List :");
  Bold(Label3);
  add(Label5, &TabSheet2, {8, 482, 39, 13}, "Save as");
  add(Bevel2, &TabSheet2, {208, 4, 3, 497});
  add(Label4, &TabSheet2, {216, 8, 54, 13}, "Preview :");
  Bold(Label4);
  add(Label6, &TabSheet2, {731, 8, 83, 13}, "Total Items : 0");
  Bold(Label6);
  Label6.SetAlignment(TAlignment::taRightJustify);
  add(NMList, &TabSheet2, {8, 24, 193, 345});
  add(Button12, &TabSheet2, {8, 376, 193, 25}, "Save Selected Item");
  add(Button10, &TabSheet2, {8, 408, 193, 25}, "Save All Items");
  add(ComboBox1, &TabSheet2, {56, 480, 145, 21});
  FillFormatChoice(ComboBox1);
  add(Preview2, &TabSheet2, {216, 24, 601, 345}, {}, 1);
  add(Button6, &TabSheet2, {224, 376, 137, 25}, "Copy Selected Key", 0);
  add(Button7, &TabSheet2, {224, 408, 137, 25}, "Copy Selected Value", 0);
  add(Button16, &TabSheet2, {416, 376, 169, 25}, "Find Target - Key", 0);
  add(Button17, &TabSheet2, {416, 408, 169, 25}, "Find Target - Value", 1);
  add(Button8, &TabSheet2, {640, 376, 81, 25}, "Open Key", 0);
  add(Button9, &TabSheet2, {728, 376, 81, 25}, "Open Value", 1);
  add(ProgressBar1, &TabSheet2, {216, 476, 601, 25});
  ProgressBar1.SetRange(0, 31);
  ProgressBar1.SetStep(1);
  add(Button18, &TabSheet2, {640, 408, 169, 25}, "Open Key + Value", 12);
  add(Button19, &TabSheet2, {640, 440, 169, 25}, "Open Value + Key", 21);
  // The key column of this tab holds database labels, not paths: the key-based buttons stay
  // disabled for good.
  for (TButton* button : {&Button16, &Button8, &Button18, &Button19})
    button->SetEnabled(false);

  LayoutModernTab();

  // Header buttons, after the page control in tab order.
  add(Button20, nullptr, {664, 25, 83, 19}, "Homepage");
  add(Button2, nullptr, {752, 25, 69, 19}, "Donate");
}

void TWKSForm::ConnectEvents() {
  const auto route = [this](void (TWKSForm::*handler)(TControl&)) {
    return [this, handler](TControl& sender) { (this->*handler)(sender); };
  };
  Icon.OnDblClick = route(&TWKSForm::IconDblClick);
  title.OnClick = route(&TWKSForm::titleClick);
  cpr.OnClick = route(&TWKSForm::cprClick);
  Label58.OnDblClick = route(&TWKSForm::Label58DblClick);
  Button20.OnClick = route(&TWKSForm::Button20Click);
  Button2.OnClick = route(&TWKSForm::Button2Click);
  ZList.OnClick = [this](TControl& sender) { ZListClick(sender); };
  Save1.OnClick = route(&TWKSForm::Save1Click);
  Save2.OnClick = route(&TWKSForm::Save2Click);
  Save3.OnClick = route(&TWKSForm::Save3Click);
  Button1.OnClick = route(&TWKSForm::Button1Click);
  Button3.OnClick = route(&TWKSForm::Button3Click);
  Button14.OnClick = Button15.OnClick = route(&TWKSForm::Button14Click);
  for (TButton* button : {&Button4, &Button5, &Button11, &Button13})
    button->OnClick = route(&TWKSForm::Button4Click);
  Preview.OnDblClick = route(&TWKSForm::PreviewDblClick);

  NMList.OnClick = route(&TWKSForm::NMListClick);
  Label3.OnDblClick = route(&TWKSForm::Label3DblClick);
  Button12.OnClick = route(&TWKSForm::Button12Click);
  Button10.OnClick = route(&TWKSForm::Button10Click);
  Button6.OnClick = route(&TWKSForm::Button6Click);
  Button7.OnClick = route(&TWKSForm::Button7Click);
  Button16.OnClick = Button17.OnClick = route(&TWKSForm::Button16Click);
  for (TButton* button : {&Button8, &Button9, &Button18, &Button19})
    button->OnClick = route(&TWKSForm::Button8Click);
  Preview2.OnDblClick = route(&TWKSForm::Button8Click);
  ConnectModernEvents();
}

RunOutcome TWKSForm::ZListClick(TControl& /*sender*/) {
  return RunItem(Catalog(), ZList, Preview, Total);
}

RunOutcome TWKSForm::RunItem(std::span<const CatalogItem> catalog, const TListBox& list,
                             TValueListEditor& preview, TLabel& total) {
  TStringList scratch1;
  TStringList scratch2;
  try {
    const int index = list.ItemIndex();
    const bool listed = index >= 0 && index < static_cast<int>(catalog.size());
    // The running machine's own figures belong to no hive: a window over evidence shows none.
    if (listed && !(evidence_ && ReadsLiveSystem(catalog[static_cast<size_t>(index)]))) {
      const EvidenceScope scope(evidence_.get());
      ReaderContext ctx{LT.Items(), scratch1, scratch2};
      catalog[static_cast<size_t>(index)].reader(ctx);
    }
    const RowOrder order = listed ? catalog[static_cast<size_t>(index)].order : RowOrder::Sorted;
    LT.SetSorted(order == RowOrder::Sorted);
    preview.Assign(LT.Items());
    LT.SetSorted(false);
    LT.Items().Clear();
    total.SetCaption("Total Items : " + std::to_string(preview.RowCount()));
    return RunOutcome::Shown;
  } catch (const std::exception&) {
    LT.SetSorted(false);
    LT.Items().Clear();
    return RunOutcome::ReaderFailed;
  }
}

} // namespace tw
