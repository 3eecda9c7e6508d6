// Transaction-log recovery: the real dirty hives with their logs, and a 12 MB hive (the SYSTEM
// fixture, marked dirty) with a generated log of 24 entries. Each run recovers a fresh copy of
// the primary; the copy is not timed. Goal: the 12 MB hive under 50 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "hive/recovery.h"
#include "hive/recovery_logs.h"

namespace {

using tw::hive::LogFile;
using tw::hive::Recover;
using tw::hive::RecoveryState;
using tw::test::Bytes;

Bytes Unpack(const std::string& name) {
  const std::string source = std::string(TW_HIVE_DIR) + "/" + name + ".xz";
  FILE* pipe = popen(("xz -dc '" + source + "'").c_str(), "r");
  if (pipe == nullptr)
    throw std::runtime_error("cannot run xz");
  Bytes out;
  std::uint8_t buffer[65536];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    out.insert(out.end(), buffer, buffer + n);
  if (pclose(pipe) != 0)
    throw std::runtime_error("cannot unpack " + source);
  return out;
}

void RecoverEachTime(benchmark::State& state, const Bytes& primary,
                     const std::vector<LogFile>& logs) {
  std::uint32_t applied = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Bytes image = primary;
    state.ResumeTiming();
    const auto report = Recover(image, logs);
    if (report.state != RecoveryState::Recovered)
      state.SkipWithError(("not recovered: " + report.note).c_str());
    applied = report.entriesApplied;
    benchmark::DoNotOptimize(image.data());
  }
  std::size_t logBytes = 0;
  for (const LogFile& log : logs)
    logBytes += log.bytes.size();
  state.counters["entries"] = applied;
  state.counters["hive_MB"] = static_cast<double>(primary.size()) / (1 << 20);
  state.counters["log_MB"] = static_cast<double>(logBytes) / (1 << 20);
}

void BM_RealNtUser(benchmark::State& state) {
  static const Bytes primary = Unpack("transactions_NTUSER.DAT");
  static const std::vector<LogFile> logs = {{"log1", Unpack("transactions_ntuser.dat.log1")},
                                            {"log2", Unpack("transactions_ntuser.dat.log2")}};
  RecoverEachTime(state, primary, logs);
}
BENCHMARK(BM_RealNtUser)->Unit(benchmark::kMillisecond);

void BM_RealUsrClass(benchmark::State& state) {
  static const Bytes primary = Unpack("UsrClass.dat");
  static const std::vector<LogFile> logs = {{"LOG1", Unpack("UsrClass.dat.LOG1")},
                                            {"LOG2", Unpack("UsrClass.dat.LOG2")}};
  RecoverEachTime(state, primary, logs);
}
BENCHMARK(BM_RealUsrClass)->Unit(benchmark::kMillisecond);

// SYSTEM marked dirty, and 24 entries after its sequence number, each rewriting 32 blocks of
// 4,096 bytes spread over the hive (their own bytes, one changed), as a busy hive's log holds.
void BM_Large24Entries(benchmark::State& state) {
  static Bytes primary;
  static std::vector<LogFile> logs;
  if (primary.empty()) {
    primary = Unpack("SYSTEM");
    const std::uint32_t sequence = tw::test::Load32(primary, 8);
    const std::uint32_t binsSize = tw::test::Load32(primary, 40);
    tw::test::Put32(primary, 4, sequence + 1);
    tw::test::SealBaseBlock(primary);
    const std::uint32_t blocks = binsSize / 4096;
    std::vector<Bytes> entries;
    for (std::uint32_t e = 0; e < 24; ++e) {
      std::vector<tw::test::PageWrite> pages;
      for (std::uint32_t i = 0; i < 32; ++i) {
        const std::uint32_t at = (e * 977 + i * 89) % blocks * 4096;
        Bytes block(primary.begin() + 4096 + at, primary.begin() + 4096 + at + 4096);
        block[100] ^= static_cast<std::uint8_t>(e + 1);
        pages.push_back({at, std::move(block)});
      }
      entries.push_back(tw::test::LogEntry(sequence + e, binsSize, pages));
    }
    logs = {{"SYSTEM.LOG1", tw::test::NewFormatLog(primary, sequence, entries)}};
  }
  RecoverEachTime(state, primary, logs);
}
BENCHMARK(BM_Large24Entries)->Unit(benchmark::kMillisecond);

} // namespace
