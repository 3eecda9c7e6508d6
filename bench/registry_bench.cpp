// Figures of the registry layer on the portable store: time and registry calls per operation.
// Run: build/native/bench/registry_bench

#include <benchmark/benchmark.h>

#include <string>

#include "registry/registry.h"
#include "registry/memory_registry.h"
#include "runtime/seam.h"

namespace tw {
namespace {

// A key with `count` string values named "Value0000"... holding a path each.
void Fill(MemoryRegistry& registry, const char* path, int count) {
  RegKey key = 0;
  registry.CreateKeyEx(reg::kCurrentUser, path, 0, reg::kAllAccess, &key);
  for (int i = 0; i < count; ++i) {
    const std::string name = "Value" + std::to_string(10000 + i);
    const std::string data = "C:\\Program Files\\Vendor " + std::to_string(i) + "\\program.exe";
    registry.SetValueEx(key, name.c_str(), reg::kSz, reinterpret_cast<const uint8_t*>(data.c_str()),
                        static_cast<uint32_t>(data.size() + 1));
    RegKey sub = 0;
    registry.CreateKeyEx(key, name.c_str(), 0, reg::kAllAccess, &sub);
    registry.CloseKey(sub);
  }
  registry.CloseKey(key);
}

void ReportCalls(benchmark::State& state, const MemoryRegistry& registry) {
  state.counters["calls/op"] = benchmark::Counter(static_cast<double>(registry.Calls()) /
                                                  static_cast<double>(state.iterations()));
}

void BM_ListValues(benchmark::State& state) {
  MemoryRegistry registry;
  Fill(registry, "Bench", static_cast<int>(state.range(0)));
  ScopedSeam<RegistryApi> seam(registry);
  TStringList rows;
  registry.ResetCalls();
  for (auto _ : state) {
    ListValues(reg::kCurrentUser, "Bench", rows, vlNameValue);
    benchmark::DoNotOptimize(rows.Count());
  }
  ReportCalls(state, registry);
}
BENCHMARK(BM_ListValues)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ListSubKeyNames(benchmark::State& state) {
  MemoryRegistry registry;
  Fill(registry, "Bench", static_cast<int>(state.range(0)));
  ScopedSeam<RegistryApi> seam(registry);
  TStringList names;
  registry.ResetCalls();
  for (auto _ : state) {
    ListSubKeyNames(reg::kCurrentUser, "Bench", names);
    benchmark::DoNotOptimize(names.Count());
  }
  ReportCalls(state, registry);
}
BENCHMARK(BM_ListSubKeyNames)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_ReadRegString(benchmark::State& state) {
  MemoryRegistry registry;
  Fill(registry, "Bench", 1000);
  ScopedSeam<RegistryApi> seam(registry);
  registry.ResetCalls();
  for (auto _ : state)
    benchmark::DoNotOptimize(ReadRegString(reg::kCurrentUser, "Bench", "Value10500"));
  ReportCalls(state, registry);
}
BENCHMARK(BM_ReadRegString)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tw
