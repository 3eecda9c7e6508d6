// Hive bytes in: our reader opens them, walks every key with its path, class name, values and
// their data, then scans the free cells for deleted keys and values, under the sanitizers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "hive/deleted.h"
#include "hive/hive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tw::hive;
  std::optional<Hive> hive;
  try {
    hive.emplace(std::vector<std::uint8_t>(data, data + size));
  } catch (const HiveError&) {
    return 0;
  }
  std::vector<ValueRecord> values;
  std::vector<std::uint8_t> bytes;
  std::size_t seen = 0;
  Walk(*hive, *hive->Key(hive->Root()), [&](const KeyNode& key, int) {
    seen += key.name.ToUtf16().size();
    seen += hive->ClassName(key).value_or(u"").size();
    seen += hive->PathOf(key.cell).value_or(u"").size();
    values.clear();
    hive->Values(key, values);
    for (const ValueRecord& v : values) {
      seen += v.name.ToUtf16().size();
      if (const auto span = hive->DataSpan(v))
        seen += span->size();
      if (hive->Data(v, bytes))
        seen += bytes.size();
    }
  });
  const DeletedEntries deleted = FindDeleted(*hive);
  seen += deleted.keys.size() + deleted.values.size();
  return seen == SIZE_MAX ? 1 : 0;
}
