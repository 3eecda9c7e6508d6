#include "app/WKS_Main.h"

#include "app/catalog.h"
#include "readers/reader.h"

#include <exception>
#include <string>

namespace tw {

TWKSForm::TWKSForm() {
  ZList.SetSorted(true);
  for (const CatalogItem& item : Catalog())
    ZList.Items().Add(std::string(item.label));
  ZList.OnClick = [this](TControl& sender) { ZListClick(sender); };

  LT.SetVisible(false);
  Preview.SetTag(1);
  Total.SetCaption("Total Items : 0");
}

void TWKSForm::ZListClick(TControl& /*sender*/) {
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
  } catch (const std::exception&) {
    LT.SetSorted(false);
    LT.Items().Clear();
  }
}

} // namespace tw
