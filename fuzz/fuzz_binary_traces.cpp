// Registry value data through every binary trace decoder.
#include <cstdint>

#include "readers/binary_traces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tw::Bytes bytes(data, size);
  (void)tw::DecodeItemIdList(bytes);
  (void)tw::DecodeLastVisitedEntry(bytes);
  (void)tw::DescribeUserAssistRecord(bytes);
  (void)tw::DecodeMruListEx(bytes);
  (void)tw::DecodeUtf16String(bytes);
  (void)tw::FormatSystemTime(bytes);
  if (const auto stamp = tw::FileTimeAt(bytes))
    (void)tw::FormatFileTime(*stamp);
  (void)tw::ReplaceKnownFolderPrefix(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
