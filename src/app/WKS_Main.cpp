#include "app/WKS_Main.h"

#include "app/catalog.h"
#include "readers/reader.h"

#include <exception>
#include <string>

namespace tw {
namespace {

void Place(TControl& control, TBounds bounds, std::string caption = {}, int tag = 0) {
  control.SetBounds(bounds);
  control.SetCaption(std::move(caption));
  control.SetTag(tag);
}

void FillFormatChoice(TComboBox& choice) {
  choice.Items().Add("Text File (*.txt)");
  choice.Items().Add("HTML File (*.html)");
  choice.SetItemIndex(1);
}

} // namespace

TWKSForm::TWKSForm() {
  Layout();
  ZList.SetSorted(true);
  for (const CatalogItem& item : Catalog())
    ZList.Items().Add(std::string(item.label));
  NMList.SetSorted(true);
  ConnectEvents();
}

void TWKSForm::Layout() {
  // Tab "Microsoft".
  Place(ZList, {8, 24, 193, 345});
  Place(Save1, {8, 376, 193, 25}, "Save Selected Item");
  Place(Save2, {8, 408, 193, 25}, "Save All Items (Guest)");
  Place(Save3, {8, 440, 193, 25}, "Save All Items (Admin)");
  Place(cmbSave, {56, 480, 145, 21});
  FillFormatChoice(cmbSave);
  Place(Total, {731, 8, 83, 13}, "Total Items : 0");
  Place(Preview, {216, 24, 601, 345}, {}, 1);
  Place(Button1, {224, 376, 137, 25}, "Copy Selected Key", 0);
  Place(Button3, {224, 408, 137, 25}, "Copy Selected Value", 0);
  Place(Button14, {416, 376, 169, 25}, "Find Target - Key", 0);
  Place(Button15, {416, 408, 169, 25}, "Find Target - Value", 1);
  Place(Button4, {640, 376, 81, 25}, "Open Key", 0);
  Place(Button5, {728, 376, 81, 25}, "Open Value", 1);
  Place(Button11, {640, 408, 169, 25}, "Open Key + Value", 12);
  Place(Button13, {640, 440, 169, 25}, "Open Value + Key", 21);
  Place(Progress, {216, 476, 601, 25});
  Progress.SetRange(0, kCatalogSize - 1);
  Progress.SetStep(1);
  Place(LT, {432, 0, 17, 17});
  LT.SetVisible(false);

  // Tab "Non Microsoft".
  Place(Label3, {8, 8, 57, 13}, "WKS List :");
  Place(NMList, {8, 24, 193, 345});
  Place(Button12, {8, 376, 193, 25}, "Save Selected Item");
  Place(Button10, {8, 408, 193, 25}, "Save All Items");
  Place(ComboBox1, {56, 480, 145, 21});
  FillFormatChoice(ComboBox1);
  Place(Label6, {731, 8, 83, 13}, "Total Items : 0");
  Place(Preview2, {216, 24, 601, 345}, {}, 1);
  Place(Button6, {224, 376, 137, 25}, "Copy Selected Key", 0);
  Place(Button7, {224, 408, 137, 25}, "Copy Selected Value", 0);
  Place(Button16, {416, 376, 169, 25}, "Find Target - Key", 0);
  Place(Button17, {416, 408, 169, 25}, "Find Target - Value", 1);
  Place(Button8, {640, 376, 81, 25}, "Open Key", 0);
  Place(Button9, {728, 376, 81, 25}, "Open Value", 1);
  Place(Button18, {640, 408, 169, 25}, "Open Key + Value", 12);
  Place(Button19, {640, 440, 169, 25}, "Open Value + Key", 21);
  Place(ProgressBar1, {216, 476, 601, 25});
  ProgressBar1.SetRange(0, 31);
  ProgressBar1.SetStep(1);
  // The key column of this tab holds database labels, not paths: the key-based buttons stay
  // disabled for good.
  for (TButton* button : {&Button16, &Button8, &Button18, &Button19})
    button->SetEnabled(false);
}

void TWKSForm::ConnectEvents() {
  const auto route = [this](void (TWKSForm::*handler)(TControl&)) {
    return [this, handler](TControl& sender) { (this->*handler)(sender); };
  };
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
}

RunOutcome TWKSForm::ZListClick(TControl& /*sender*/) {
  TStringList scratch1;
  TStringList scratch2;
  try {
    const int index = ZList.ItemIndex();
    if (index >= 0 && index < kCatalogSize) {
      ReaderContext ctx{LT.Items(), scratch1, scratch2};
      if (const ReaderFn reader = Catalog()[static_cast<size_t>(index)].reader)
        reader(ctx);
    }
    LT.SetSorted(RowOrderOf(index) == RowOrder::Sorted);
    Preview.Assign(LT.Items());
    LT.SetSorted(false);
    LT.Items().Clear();
    Total.SetCaption("Total Items : " + std::to_string(Preview.RowCount()));
    return RunOutcome::Shown;
  } catch (const std::exception&) {
    LT.SetSorted(false);
    LT.Items().Clear();
    return RunOutcome::ReaderFailed;
  }
}

} // namespace tw
