// Figures of reports and the database on the portable platform.
// Run: build/native/bench/report_bench

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/WKS_Main.h"
#include "registry/registry.h"
#include "report/report.h"
#include "runtime/collation.h"
#include "runtime/executable.h"
#include "runtime/file_system.h"
#include "registry/memory_registry.h"
#include "runtime/profile.h"
#include "runtime/seam.h"
#include "runtime/system_info.h"

namespace tw {
namespace {

class FixedClock final : public SystemInfo {
public:
  MemoryFigures Memory() const override { return {}; }
  LocalDateTime Now() const override { return {2026, 12, 7, 1, 10, 30, 0}; }
  LocaleSettings Locale() const override { return PortableSystemInfo().Locale(); }
};

struct BenchFolder {
  BenchFolder() {
    host = std::filesystem::temp_directory_path() / "trailwick-bench";
    std::filesystem::create_directories(host);
  }
  ~BenchFolder() { std::filesystem::remove_all(host); }
  std::filesystem::path host;
};

// Writes the HTML report of 5,000 rows (half of them links) into the dated folder.
void BM_WriteHtmlReport(benchmark::State& state) {
  const BenchFolder folder;
  PortableExecutable exe(FromHostPath((folder.host / "Trailwick.exe").string()));
  FixedClock clock;
  PortableFileSystem files;
  ScopedSeam<Executable> exeSeam(exe);
  ScopedSeam<SystemInfo> clockSeam(clock);
  ScopedSeam<FileSystem> filesSeam(files);
  std::vector<std::string> rows;
  for (int i = 0; i < state.range(0); ++i)
    rows.push_back("Value" + std::to_string(i) + "=" +
                   (i % 2 == 0 ? "\"C:\\Program Files\\Vendor " + std::to_string(i) +
                                     "\\program.exe\" /s & more"
                               : "plain <text> " + std::to_string(i)));
  for (auto _ : state)
    benchmark::DoNotOptimize(WriteReport("[O] Installed Software (LM)", rows, ReportFormat::Html,
                                         LinkRule::RemoveQuotes));
}
BENCHMARK(BM_WriteHtmlReport)->Arg(5000)->Unit(benchmark::kMillisecond);

// GetNML over a database of 500 sections, every third application present.
void BM_GetNML(benchmark::State& state) {
  const BenchFolder folder;
  const int sections = static_cast<int>(state.range(0));
  {
    std::ofstream db(folder.host / "WKS.db", std::ios::binary);
    for (int i = 0; i < sections; ++i)
      db << "[Application " << i << "]\r\nCheck=HKCU|Software\\Vendor" << i
         << "\r\nRecent file=HKCU|Software\\Vendor" << i
         << "|Recent\r\nFolder=HKLM|SOFTWARE\\Vendor" << i << "|InstallDir\r\n";
  }
  MemoryRegistry registry;
  for (int i = 0; i < sections; i += 3) {
    RegKey key = 0;
    registry.CreateKeyEx(reg::kCurrentUser, ("Software\\Vendor" + std::to_string(i)).c_str(), 0,
                         reg::kAllAccess, &key);
    registry.CloseKey(key);
  }
  PortableExecutable exe(FromHostPath((folder.host / "Trailwick.exe").string()));
  PortableProfile profile;
  PortableCollation collation;
  ScopedSeam<Executable> exeSeam(exe);
  ScopedSeam<ProfileApi> profileSeam(profile);
  ScopedSeam<RegistryApi> registrySeam(registry);
  ScopedSeam<Collation> collationSeam(collation);
  TWKSForm form;
  for (auto _ : state) {
    form.GetNML();
    benchmark::DoNotOptimize(form.NMList.Items().Count());
  }
  state.counters["listed"] = form.NMList.Items().Count();
}
BENCHMARK(BM_GetNML)->Arg(500)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tw
