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

std::array<TWKSForm::Page, 3> TWKSForm::Pages() {
  return {{
      {&TabSheet1,
       &ZCap,
       &Label1,
       &Bevel1,
       &Label2,
       &Total,
       &ZList,
       {&Save1, &Save2, &Save3},
       &cmbSave,
       &Preview,
       &Progress,
       {&Button1, &Button3, &Button14, &Button15, &Button4, &Button5, &Button11, &Button13}},
      {&TabSheet2,
       &Label3,
       &Label5,
       &Bevel2,
       &Label4,
       &Label6,
       &NMList,
       {&Button12, &Button10},
       &ComboBox1,
       &Preview2,
       &ProgressBar1,
       {&Button6, &Button7, &Button16, &Button17, &Button8, &Button9, &Button18, &Button19},
       6},
      {&TabSheet3,
       &Label7,
       &Label8,
       &Bevel3,
       &Label9,
       &Label10,
       &WList,
       {&Button21, &Button22},
       &ComboBox2,
       &Preview3,
       &ProgressBar2,
       {&Button23, &Button24, &Button25, &Button26, &Button27, &Button28, &Button29, &Button30}},
  }};
}

// Controls are added in tab order within each parent; windowless ones are painted in the order
// they are added.
void TWKSForm::LayoutPage(const Page& page, std::string caption) {
  const auto add = [&](TControl& control, TBounds bounds, std::string text = {}, int tag = 0) {
    Insert(control, page.sheet, bounds);
    control.SetCaption(std::move(text));
    control.SetTag(tag);
  };
  Insert(*page.sheet, &PageControl1, {});
  page.sheet->SetCaption(std::move(caption));
  add(*page.listCaption, {8, 8, 57, 13}, "WKS List :");
  Bold(*page.listCaption);
  add(*page.saveAs, {8, 482, 39, 13}, "Save as");
  add(*page.bevel, {208, 4, 3, 497});
  add(*page.previewCaption, {216, 8, 54, 13}, "Preview :");
  Bold(*page.previewCaption);
  add(*page.total, {731, 8, 83, 13}, "Total Items : 0");
  Bold(*page.total);
  page.total->SetAlignment(TAlignment::taRightJustify);
  add(*page.list, {8, 24, 193, 345});
  // The first tab saves the selected item, the current user's items and all of them; the
  // others the selected item and all of them.
  static constexpr std::array<std::string_view, 3> kThreeSaves = {
      "Save Selected Item", "Save All Items (Guest)", "Save All Items (Admin)"};
  for (size_t i = 0; i < page.saves.size(); ++i)
    add(*page.saves[i], {8, 376 + 32 * static_cast<int>(i), 193, 25},
        std::string(page.saves.size() == 3 ? kThreeSaves[i]
                                           : (i == 0 ? "Save Selected Item" : "Save All Items")));
  add(*page.format, {56, 480, 145, 21});
  FillFormatChoice(*page.format);
  add(*page.preview, {216, 24, 601, 345}, {}, 1);

  const std::array<std::pair<TBounds, std::string_view>, 8> navigation = {{
      {{224, 376, 137, 25}, "Copy Selected Key"},
      {{224, 408, 137, 25}, "Copy Selected Value"},
      {{416, 376, 169, 25}, "Find Target - Key"},
      {{416, 408, 169, 25}, "Find Target - Value"},
      {{640, 376, 81, 25}, "Open Key"},
      {{728, 376, 81, 25}, "Open Value"},
      {{640, 408, 169, 25}, "Open Key + Value"},
      {{640, 440, 169, 25}, "Open Value + Key"},
  }};
  // The cells each button takes: 0 the key, 1 the value, 12 and 21 both in that order.
  static constexpr std::array<int, 8> kTags = {0, 0, 0, 1, 0, 1, 12, 21};
  for (size_t i = 0; i <= navigation.size(); ++i) {
    if (i == page.progressAfter) {
      add(*page.progress, {216, 476, 601, 25});
      page.progress->SetStep(1);
    }
    if (i < navigation.size())
      add(*page.navigation[i], navigation[i].first, std::string(navigation[i].second), kTags[i]);
  }
}

void TWKSForm::Layout() {
  const auto add = [this](TControl& control, TBounds bounds, std::string caption = {}) {
    Insert(control, nullptr, bounds);
    control.SetCaption(std::move(caption));
  };

  // Header band.
  add(back, {-4, 0, 837, 49});
  back.SetPicture(TPicture::WhitePixel);
  back.SetStretch(true);
  add(Icon, {16, 8, 32, 32});
  Icon.SetPicture(TPicture::Logo);
  add(title, {56, 11, 138, 13});
  Bold(title);
  add(cpr, {56, 25, 201, 13});
  add(Label58, {679, 11, 141, 13}, about::kLastUpdated);
  Label58.SetAlignment(TAlignment::taRightJustify);
  add(PageControl1, {0, 48, 833, 545});
  PageControl1.AddPage(TabSheet1);
  PageControl1.AddPage(TabSheet2);
  PageControl1.AddPage(TabSheet3);

  const std::array<Page, 3> pages = Pages();
  LayoutPage(pages[0], "Microsoft");
  Progress.SetRange(0, kCatalogSize - 1);
  Insert(LT, &TabSheet1, {432, 0, 17, 17});
  LT.SetVisible(false);

  LayoutPage(pages[1], "Non Microsoft");
  ProgressBar1.SetRange(0, 31);
  // The key column of this tab holds database labels, not paths: the key-based buttons stay
  // disabled for good.
  for (TButton* button : {&Button16, &Button8, &Button18, &Button19})
    button->SetEnabled(false);

  LayoutPage(pages[2], "Windows 7 - 11");
  ProgressBar2.SetRange(0, kModernTabSize - 1);

  // Header buttons, after the page control in tab order.
  add(Button20, {664, 25, 83, 19}, "Homepage");
  add(Button2, {752, 25, 69, 19}, "Donate");
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

RunOutcome TWKSForm::ZListClick(TControl& /*sender*/) {
  return RunItem(Catalog(), ZList, Preview, Total);
}

RunOutcome TWKSForm::WListClick(TControl& /*sender*/) {
  return RunItem(ModernTabCatalog(), WList, Preview3, Label10);
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
