// Per-item figures of both catalogs (the first and the Windows 7 to 11 one) on the platform's
// registry: the large synthetic registry is
// imported into scratch keys, then every item runs through the dispatcher with the registry
// store wrapped in a timing decorator. Prints milliseconds, registry calls and the share of
// time spent outside registry calls (goal: at most 10 % of each item's time).
// Run by hand under Wine: wine64 build/win64/bench/catalog_timing.exe [repeats]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <span>
#include <string>

#include "readers/catalog.h"
#include "readers/modern_catalog.h"
#include "app/WKS_Main.h"
#include "runtime/seam.h"
#include "registry/win32/scratch_registry.h"
#include "runtime/win32/win32_collation.h"
#include "registry/win32/win32_registry.h"
#include "runtime/win32/win32_system_info.h"
#include "synthetic_registry.h"
#include "timing_registry.h"

namespace tw {
namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

struct Figures {
  Clock::duration total{};
  Clock::duration inside{};
  uint64_t calls = 0;
  int rows = 0;
};

// The reader alone, without the dispatcher's sorting and copying into the preview.
Figures RunReader(bench::TimingRegistry& store, std::span<const CatalogItem> catalog, int index,
                  int repeats) {
  Figures f;
  for (int r = 0; r < repeats; ++r) {
    TStringList rows;
    TStringList scratch1;
    TStringList scratch2;
    ReaderContext ctx{rows, scratch1, scratch2};
    store.ResetCalls();
    store.ResetInside();
    const Clock::time_point start = Clock::now();
    catalog[static_cast<size_t>(index)].reader(ctx);
    f.total += Clock::now() - start;
    f.inside += store.Inside();
    f.calls = store.Calls();
    f.rows = rows.Count();
  }
  f.total /= repeats;
  f.inside /= repeats;
  return f;
}

// One tab's catalog with the list that runs its items and the preview that shows them.
struct Tab {
  const char* name;
  std::span<const CatalogItem> catalog;
  TListBox& list;
  TValueListEditor& preview;
};

// The item as the user runs it: the dispatcher with its reader, ordering and preview.
Figures RunItem(const Tab& tab, bench::TimingRegistry& store, int index, int repeats) {
  Figures f;
  tab.list.SetItemIndex(index);
  for (int r = 0; r < repeats; ++r) {
    store.ResetCalls();
    store.ResetInside();
    const Clock::time_point start = Clock::now();
    tab.list.Click();
    f.total += Clock::now() - start;
    f.inside += store.Inside();
    f.calls = store.Calls();
  }
  f.total /= repeats;
  f.inside /= repeats;
  f.rows = tab.preview.RowCount();
  return f;
}

// What one clock read costs. The decorator reads the clock twice per registry call, and about
// one of the two reads falls outside the measured call: that much is the measurement's own
// cost, not the program's, and is taken off the time outside.
Clock::duration ClockReadCost() {
  constexpr int kReads = 100000;
  Clock::time_point last;
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < kReads; ++i)
    last = Clock::now();
  return (last - start) / kReads;
}

const Clock::duration kClockRead = ClockReadCost();

double OutsideShare(const Figures& f) {
  if (f.total.count() <= 0)
    return 0.0;
  const Clock::duration measuring = kClockRead * static_cast<int64_t>(f.calls);
  const Clock::duration outside = std::max(f.total - f.inside - measuring, Clock::duration{});
  return 100.0 * static_cast<double>(outside.count()) / static_cast<double>(f.total.count());
}

void PrintTab(const Tab& tab, bench::TimingRegistry& store, int repeats) {
  const int size = static_cast<int>(tab.catalog.size());
  std::printf("\n%s\n", tab.name);
  std::printf("%-3s %-66s %6s %7s %9s %9s %8s %9s %8s\n", "#", "item", "rows", "calls", "ms",
              "in reg ms", "outside", "reader ms", "outside");
  Figures all;
  Figures allReaders;
  for (int i = 0; i < size; ++i) {
    const Figures f = RunItem(tab, store, i, repeats);
    const Figures r = RunReader(store, tab.catalog, i, repeats);
    all.total += f.total;
    all.inside += f.inside;
    all.calls += f.calls;
    all.rows += f.rows;
    allReaders.total += r.total;
    allReaders.inside += r.inside;
    allReaders.calls += r.calls;
    const std::string label(tab.catalog[static_cast<size_t>(i)].label);
    std::printf("%-3d %-66s %6d %7llu %9.2f %9.2f %7.1f%% %9.2f %7.1f%%\n", i, label.c_str(),
                f.rows, static_cast<unsigned long long>(f.calls), Ms(f.total), Ms(f.inside),
                OutsideShare(f), Ms(r.total), OutsideShare(r));
  }
  const std::string count = std::to_string(size) + " items";
  std::printf("%-3s %-66s %6d %7llu %9.2f %9.2f %7.1f%% %9.2f %7.1f%%\n", "all", count.c_str(),
              all.rows, static_cast<unsigned long long>(all.calls), Ms(all.total), Ms(all.inside),
              OutsideShare(all), Ms(allReaders.total), OutsideShare(allReaders));
}

int Run(int repeats) {
  ScratchRegistry scratch("Software\\TrailwickTiming");
  Win32Registry platform;
  const Clock::time_point fillStart = Clock::now();
  const bench::SyntheticStats stats = bench::FillSyntheticRegistry(platform);
  std::printf("synthetic registry: %d keys, %d values imported in %.0f ms\n", stats.keys,
              stats.values, Ms(Clock::now() - fillStart));

  bench::TimingRegistry store(platform);
  Win32Collation collation;
  Win32SystemInfo system;
  ScopedSeam<RegistryApi> registrySeam(store);
  ScopedSeam<Collation> collationSeam(collation);
  ScopedSeam<SystemInfo> systemSeam(system);
  TWKSForm form;
  const Tab tabs[] = {{"first catalog", Catalog(), form.ZList, form.Preview},
                      {"Windows 7 - 11 catalog", ModernCatalog(), form.WList, form.Preview3}};
  for (const Tab& tab : tabs) // warm the server's caches
    for (int i = 0; i < static_cast<int>(tab.catalog.size()); ++i)
      RunItem(tab, store, i, 1);

  std::printf("%d run(s) per item, mean figures; a clock read costs %.0f ns, one per call is "
              "taken off the time outside\n",
              repeats, std::chrono::duration<double, std::nano>(kClockRead).count());
  for (const Tab& tab : tabs)
    PrintTab(tab, store, repeats);
  return 0;
}

} // namespace
} // namespace tw

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  try {
    return tw::Run(repeats);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "catalog_timing: %s\n", e.what());
    return 1;
  }
}
