#pragma once
// The main window's logic: its controls as models and its event handlers. The Win32 edge
// realises the models as native windows and routes their events here.

#include "runtime/controls.h"

namespace tw {

class TWKSForm {
public:
  TWKSForm();

  // Tab "Microsoft": the catalog, the hidden row buffer, the preview and its total.
  TListBox ZList{"ZList"};
  TListBox LT{"LT"};
  TValueListEditor Preview{"Preview"};
  TLabel Total{"TLabel", "Total"};

  // Runs the reader of the selected catalog item and shows its rows. Any error of the reader
  // or of the steps after it is swallowed: the preview and total keep their previous content,
  // and the row buffer is emptied all the same.
  void ZListClick(TControl& sender);
};

} // namespace tw
