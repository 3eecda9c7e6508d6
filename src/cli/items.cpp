#include "cli/items.h"

#include <optional>

#include "cli/errors.h"

namespace tw {

const CatalogItem& ItemAt(int index) {
  if (index < kModernFirstItem)
    return Catalog()[static_cast<size_t>(index)];
  if (index < kEvidenceFirstItem)
    return ModernCatalog()[static_cast<size_t>(index - kModernFirstItem)];
  return EvidenceCatalog()[static_cast<size_t>(index - kEvidenceFirstItem)];
}

int ResolveItem(const std::string& text) {
  if (const auto number = [&]() -> std::optional<unsigned> {
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
            text.size() > 9)
          return std::nullopt;
        return static_cast<unsigned>(std::stoul(text));
      }()) {
    if (*number < static_cast<unsigned>(kItemCount))
      return static_cast<int>(*number);
    throw UsageError("no item " + text + " (0-" + std::to_string(kItemCount - 1) + ")");
  }
  for (int i = 0; i < kItemCount; ++i)
    if (ItemAt(i).label == text)
      return i;
  throw UsageError("no item labelled '" + text + "' (see: trailwick-cli list)");
}

std::string Utf8Text::operator()(std::string_view text) const {
  return page_.Number() == kUtf8CodePage ? std::string(text) : Utf16ToUtf8(page_.ToUtf16(text));
}

uint64_t KeyTimes::Of(const RowKey& key) {
  const auto [it, added] = times_.try_emplace({key.root, key.path}, 0);
  if (added) {
    RegKey handle = 0;
    if (registry_.OpenKeyEx(key.root, key.path.c_str(), reg::kRead, &handle) == reg::kSuccess) {
      registry_.QueryInfoKey(handle, nullptr, nullptr, nullptr, nullptr, nullptr, &it->second);
      registry_.CloseKey(handle);
    }
  }
  return it->second;
}

} // namespace tw
