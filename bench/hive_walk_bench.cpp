// Our hive reader against hivex's C API on the real SYSTEM hive of the tests (11.7 MB, 30,756
// keys and 73,456 values): every key name, value name and value's data read, nothing printed
// but the figures. Median milliseconds of several runs for opening and for walking, the ratio
// of the walks, and `trailwick-cli dump --format jsonl` of the whole hive to /dev/null (file
// read, open, walk, JSON written) beside hivex's open and walk (processor time of the thread).
//   hive_walk_bench [RUNS]

#include <hivex.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/offline_platform.h"
#include "hive/hive.h"
#include "support/hivex_value.h"

namespace {

// What a walk read, so that nothing of it can be left out.
struct Tally {
  std::uint64_t keys = 0;
  std::uint64_t values = 0;
  std::uint64_t nameUnits = 0;
  std::uint64_t dataBytes = 0;
  std::uint64_t check = 0;
};

// The thread's processor time: the machine is shared, and other processes' turns are no part of
// either reader's cost.
struct Clock {
  using time_point = double;
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
  }
};

double Ms(double since) {
  return Clock::now() - since;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

enum class DataRead { Spans, Copies };

Tally WalkOurs(const tw::hive::Hive& hive, DataRead mode) {
  using namespace tw::hive;
  Tally t;
  std::vector<ValueRecord> values;
  std::vector<std::uint8_t> buffer;
  // The name as stored: its bytes, every one of them.
  const auto readName = [&](const NameRef& name) {
    for (std::size_t i = 0; i < name.size; ++i)
      t.check += name.bytes[i];
    t.nameUnits += name.Length();
  };
  const auto root = hive.Key(hive.Root());
  Walk(hive, *root, [&](const KeyNode& key, int) {
    ++t.keys;
    readName(key.name);
    values.clear();
    hive.Values(key, values);
    for (const ValueRecord& value : values) {
      ++t.values;
      readName(value.name);
      const auto span = mode == DataRead::Spans ? hive.DataSpan(value) : std::nullopt;
      if (span) {
        t.dataBytes += span->size();
        t.check += span->empty() ? 0 : span->front();
      } else if (hive.Data(value, buffer)) {
        t.dataBytes += buffer.size();
        t.check += buffer.empty() ? 0 : buffer.front();
      }
    }
  });
  return t;
}

void WalkHivex(hive_h* h, hive_node_h node, Tally& t) {
  ++t.keys;
  if (char* name = hivex_node_name(h, node)) {
    t.nameUnits += std::char_traits<char>::length(name);
    t.check += static_cast<unsigned char>(name[0]);
    std::free(name);
  }
  if (hive_value_h* values = hivex_node_values(h, node)) {
    for (hive_value_h* v = values; *v != 0; ++v) {
      ++t.values;
      if (char* name = hivex_value_key(h, *v)) {
        t.nameUnits += std::char_traits<char>::length(name);
        std::free(name);
      }
      std::uint32_t type = 0;
      std::size_t size = 0;
      if (char* data = tw::test::HivexValueData(h, *v, &type, &size)) {
        t.dataBytes += size;
        t.check += size == 0 ? 0 : static_cast<unsigned char>(data[0]);
        std::free(data);
      }
    }
    std::free(values);
  }
  if (hive_node_h* children = hivex_node_children(h, node)) {
    for (hive_node_h* c = children; *c != 0; ++c)
      WalkHivex(h, *c, t);
    std::free(children);
  }
}

} // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("hive_walk_bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / "SYSTEM";
  const std::string unpack = "xz -dc '" TW_HIVE_DIR "/SYSTEM.xz' > '" + file.string() + "'";
  if (std::system(unpack.c_str()) != 0) {
    std::fprintf(stderr, "cannot unpack SYSTEM.xz\n");
    return 1;
  }
  std::ifstream in(file, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};

  std::vector<double> oursOpen, oursWalk, oursCopyWalk, hivexOpen, hivexWalk, dump;
  Tally ours, oursCopy, theirs;
  for (int run = 0; run < runs; ++run) {
    auto start = Clock::now();
    const tw::hive::Hive hive(bytes);
    oursOpen.push_back(Ms(start));
    start = Clock::now();
    ours = WalkOurs(hive, DataRead::Spans);
    oursWalk.push_back(Ms(start));
    start = Clock::now();
    oursCopy = WalkOurs(hive, DataRead::Copies);
    oursCopyWalk.push_back(Ms(start));

    start = Clock::now();
    hive_h* h = hivex_open(file.c_str(), 0);
    hivexOpen.push_back(Ms(start));
    if (h == nullptr) {
      std::fprintf(stderr, "hivex cannot open %s\n", file.c_str());
      return 1;
    }
    start = Clock::now();
    theirs = Tally{};
    WalkHivex(h, hivex_root(h), theirs);
    hivexWalk.push_back(Ms(start));
    hivex_close(h);

    start = Clock::now();
    tw::OfflineCliPlatform platform;
    std::ostringstream out, err;
    if (tw::RunCli({"dump", "--hive", file.string(), "--format", "jsonl", "--out", "/dev/null"},
                   platform, out, err) != tw::ExitCode::Done) {
      std::fprintf(stderr, "dump failed: %s\n", err.str().c_str());
      return 1;
    }
    dump.push_back(Ms(start));
  }
  std::filesystem::remove_all(dir);

  std::printf("SYSTEM: %zu bytes, median of %d runs\n", bytes.size(), runs);
  std::printf(
      "  read     %llu keys, %llu values, %llu data bytes (hivex: %llu, %llu, %llu)\n",
      static_cast<unsigned long long>(ours.keys), static_cast<unsigned long long>(ours.values),
      static_cast<unsigned long long>(ours.dataBytes), static_cast<unsigned long long>(theirs.keys),
      static_cast<unsigned long long>(theirs.values),
      static_cast<unsigned long long>(theirs.dataBytes));
  const double walk = Median(oursWalk), copyWalk = Median(oursCopyWalk), hx = Median(hivexWalk);
  std::printf("  open     ours %7.2f ms   hivex %7.2f ms\n", Median(oursOpen), Median(hivexOpen));
  std::printf("  walk     ours %7.2f ms   hivex %7.2f ms   ours/hivex %.2f\n", walk, hx, walk / hx);
  std::printf("  walk, data copied into one buffer: ours %7.2f ms   ours/hivex %.2f\n", copyWalk,
              copyWalk / hx);
  std::vector<double> hivexWhole(hivexOpen.size());
  for (std::size_t i = 0; i < hivexOpen.size(); ++i)
    hivexWhole[i] = hivexOpen[i] + hivexWalk[i];
  const double hivexAll = Median(hivexWhole), dumpAll = Median(dump);
  std::printf("  trailwick-cli dump --format jsonl > /dev/null %7.2f ms   hivex open + walk %7.2f ms"
              "   dump/hivex %.2f\n",
              dumpAll, hivexAll, dumpAll / hivexAll);
  return ours.check == 0 ? 1 : 0;
}
