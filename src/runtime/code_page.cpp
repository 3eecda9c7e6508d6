#include "runtime/code_page.h"

#include "runtime/seam.h"

namespace tw {

bool IsLeadByte(uint8_t byte) {
  return Seam<CodePage>::Installed() && Seam<CodePage>::Get().IsLeadByte(byte);
}

} // namespace tw
