#include "runtime/dialogs.h"

#include "runtime/seam.h"

namespace tw {

void ShowMessage(const std::string& text) {
  Seam<Dialogs>::Get().ShowMessage(text);
}

} // namespace tw
