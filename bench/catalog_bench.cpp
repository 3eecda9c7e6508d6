// Time and registry calls of each catalog item, and of all 34 in a row, through the dispatcher
// on the portable store filled with the large synthetic registry. Goal: all 34 items < 20 ms.
// The Windows 7 - 11 catalog's items are timed the same way (BM_ModernItem, BM_AllModernItems).
// Run: build/native/bench/catalog_bench

#include <benchmark/benchmark.h>

#include <span>

#include "readers/catalog.h"
#include "readers/modern_catalog.h"
#include "app/WKS_Main.h"
#include "runtime/collation.h"
#include "registry/memory_registry.h"
#include "runtime/seam.h"
#include "runtime/system_info.h"
#include "synthetic_registry.h"

namespace tw {
namespace {

// The synthetic registry is built once; every benchmark runs on it.
MemoryRegistry& Store() {
  static MemoryRegistry* store = [] {
    auto* s = new MemoryRegistry;
    bench::FillSyntheticRegistry(*s);
    return s;
  }();
  return *store;
}

class Platform {
public:
  Platform() : registrySeam_(Store()), collationSeam_(collation_), systemSeam_(system_) {}

private:
  PortableCollation collation_;
  PortableSystemInfo system_;
  ScopedSeam<RegistryApi> registrySeam_;
  ScopedSeam<Collation> collationSeam_;
  ScopedSeam<SystemInfo> systemSeam_;
};

void Report(benchmark::State& state, uint64_t calls, int rows) {
  const auto runs = static_cast<double>(state.iterations());
  state.counters["calls"] = benchmark::Counter(static_cast<double>(calls) / runs);
  state.counters["rows"] = rows;
}

// One tab of the window: its list, its preview and its catalog.
struct Tab {
  TListBox TWKSForm::*list;
  TValueListEditor TWKSForm::*preview;
  std::span<const CatalogItem> items;
};
const Tab kFirstTab{&TWKSForm::ZList, &TWKSForm::Preview, Catalog()};
const Tab kModernTab{&TWKSForm::WList, &TWKSForm::Preview3, ModernCatalog()};

void ItemOf(benchmark::State& state, const Tab& tab) {
  const int index = static_cast<int>(state.range(0));
  Platform platform;
  TWKSForm form;
  (form.*tab.list).SetItemIndex(index);
  Store().ResetCalls();
  for (auto _ : state)
    (form.*tab.list).Click();
  Report(state, Store().Calls(), (form.*tab.preview).RowCount());
  state.SetLabel(std::string(tab.items[static_cast<size_t>(index)].label));
}

void AllItemsOf(benchmark::State& state, const Tab& tab) {
  Platform platform;
  TWKSForm form;
  int rows = 0;
  Store().ResetCalls();
  for (auto _ : state) {
    rows = 0;
    for (int i = 0; i < static_cast<int>(tab.items.size()); ++i) {
      (form.*tab.list).SetItemIndex(i);
      (form.*tab.list).Click();
      rows += (form.*tab.preview).RowCount();
    }
  }
  Report(state, Store().Calls(), rows);
}

void BM_Item(benchmark::State& state) {
  ItemOf(state, kFirstTab);
}
BENCHMARK(BM_Item)->DenseRange(0, kCatalogSize - 1)->Unit(benchmark::kMillisecond);
void BM_AllItems(benchmark::State& state) {
  AllItemsOf(state, kFirstTab);
}
BENCHMARK(BM_AllItems)->Unit(benchmark::kMillisecond);
void BM_ModernItem(benchmark::State& state) {
  ItemOf(state, kModernTab);
}
BENCHMARK(BM_ModernItem)->DenseRange(0, kModernCatalogSize - 1)->Unit(benchmark::kMillisecond);
void BM_AllModernItems(benchmark::State& state) {
  AllItemsOf(state, kModernTab);
}
BENCHMARK(BM_AllModernItems)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tw
