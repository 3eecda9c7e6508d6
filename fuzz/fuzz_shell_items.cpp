// Shell item ID lists through the structured decoder, each item's display name included.
#include <cstdint>
#include <cstdlib>

#include "readers/shell_items.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tw::Bytes bytes(data, size);
  const tw::ShellItemList list = tw::DecodeShellItemList(bytes);
  // Every item takes at least 3 bytes of the list.
  if (list.items.size() * 3 > size || list.decodedBytes > size)
    std::abort();
  for (const tw::ShellItem& item : list.items)
    (void)tw::ShellItemDisplayName(item);
  (void)tw::DecodeShellItem(bytes);
  return 0;
}
