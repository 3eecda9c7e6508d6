#include "runtime/clipboard.h"

#include "runtime/exceptions.h"

namespace tw {

void MemoryClipboard::SetText(std::string_view text) {
  if (held_)
    throw EClipboardException("Cannot open clipboard");
  text_ = text;
}

} // namespace tw
