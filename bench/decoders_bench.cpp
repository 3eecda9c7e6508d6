// Throughput of the binary trace decoders over a megabyte of records: UserAssist usage
// records and shell item ID lists, as the modern catalog meets them value by value.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "readers/binary_traces.h"

namespace {

using Buffer = std::vector<std::uint8_t>;
constexpr std::size_t kMegabyte = 1 << 20;

void Put16(Buffer& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// My Computer, a drive and four file entries with long names: a typical open/save path.
Buffer SampleIdList() {
  Buffer list = {0x14, 0x00, 0x1F, 0x50, 0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A,
                 0x69, 0x10, 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
  Buffer drive = {0x19, 0x00, 0x2F, 'C', ':', '\\'};
  drive.resize(0x19, 0);
  list.insert(list.end(), drive.begin(), drive.end());
  for (const std::string_view name : {"Users", "Someone", "Documents", "Quarterly report.xlsx"}) {
    Buffer body = {0x31, 0x00, 0,    0,   0,   0,   0x21, 0x5A, 0x21,
                   0x5A, 0x10, 0x00, 'S', 'H', 'O', 'R',  'T',  0};
    Buffer ext;
    Put16(ext, 0);
    Put16(ext, 9);
    for (const std::uint8_t b : {0x04, 0x00, 0xEF, 0xBE})
      ext.push_back(b);
    ext.resize(46, 0);
    for (const char c : name)
      Put16(ext, static_cast<std::uint8_t>(c));
    Put16(ext, 0);
    Put16(ext, 0x14);
    ext[0] = static_cast<std::uint8_t>(ext.size());
    body.insert(body.end(), ext.begin(), ext.end());
    Put16(list, static_cast<unsigned>(body.size() + 2));
    list.insert(list.end(), body.begin(), body.end());
  }
  Put16(list, 0);
  return list;
}

void BM_UserAssistRecords(benchmark::State& state) {
  Buffer records(kMegabyte / tw::kUserAssistRecordSize * tw::kUserAssistRecordSize, 0x11);
  for (auto _ : state) {
    std::size_t chars = 0;
    for (std::size_t at = 0; at < records.size(); at += tw::kUserAssistRecordSize)
      chars +=
          tw::DescribeUserAssistRecord(tw::Bytes(records).subspan(at, tw::kUserAssistRecordSize))
              .size();
    benchmark::DoNotOptimize(chars);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * records.size()));
  state.counters["records"] = static_cast<double>(records.size() / tw::kUserAssistRecordSize);
}
BENCHMARK(BM_UserAssistRecords)->Unit(benchmark::kMillisecond);

void BM_ItemIdLists(benchmark::State& state) {
  const Buffer one = SampleIdList();
  const std::size_t count = kMegabyte / one.size();
  for (auto _ : state) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < count; ++i)
      chars += tw::DecodeItemIdList(one).size();
    benchmark::DoNotOptimize(chars);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * count * one.size()));
  state.counters["lists"] = static_cast<double>(count);
}
BENCHMARK(BM_ItemIdLists)->Unit(benchmark::kMillisecond);

} // namespace
