// trailwick-cli timeline over the real hives of one machine's kinds in the fixtures (user,
// class, SYSTEM, Amcache, SAM; the class hive with its logs) beside RegRipper's TLN plugins
// (-aT) over the same hives, one after the other in this run: median wall time of several runs
// of each (RegRipper's five runs summed per round), the ratio, and what each wrote.
//   timeline_vs_regripper [RUNS]

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "process_timing.h"

using tw::bench::Measure;
using tw::bench::Median;
using tw::bench::RunOnce;

namespace {

constexpr const char* kHives[] = {"NTUSER.DAT", "UsrClass.dat", "SYSTEM", "amcache.hve", "SAM"};

long Lines(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return -1;
  long lines = 0;
  for (int c; (c = std::fgetc(pipe)) != EOF;)
    lines += c == '\n' ? 1 : 0;
  pclose(pipe);
  return lines;
}

} // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("trailwick-timeline-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  for (const char* name : {"NTUSER.DAT", "UsrClass.dat", "UsrClass.dat.LOG1", "UsrClass.dat.LOG2",
                           "SYSTEM", "amcache.hve", "SAM"}) {
    const std::string command = std::string("xz -dc '") + TW_HIVE_DIR + "/" + name + ".xz' > '" +
                                (dir / name).string() + "'";
    if (std::system(command.c_str()) != 0)
      return 1;
  }
  std::vector<std::string> ours = {TW_CLI_PATH, "timeline"};
  for (const char* hive : kHives)
    ours.insert(ours.end(), {"--hive", (dir / hive).string()});
  std::vector<std::string> tln = ours;
  tln.insert(tln.end(), {"--format", "tln"});
  std::vector<std::string> csv = ours;
  csv.insert(csv.end(), {"--format", "csv"});

  const Measure cliTln = Median(tln, runs);
  const Measure cliCsv = Median(csv, runs);
  std::vector<double> rounds;
  long peerPeak = 0;
  for (int round = 0; round < runs; ++round) {
    double seconds = 0;
    for (const char* hive : kHives) {
      const Measure m = RunOnce({"regripper", "-r", (dir / hive).string(), "-aT"});
      seconds += m.seconds;
      peerPeak = std::max(peerPeak, m.peakKb);
    }
    rounds.push_back(seconds);
  }
  std::sort(rounds.begin(), rounds.end());
  const double peer = rounds[rounds.size() / 2];

  std::string command = "'" + std::string(TW_CLI_PATH) + "' timeline";
  for (const char* hive : kHives)
    command += " --hive '" + (dir / hive).string() + "'";
  const long ourEvents = Lines(command + " --format tln 2>/dev/null");
  long theirLines = 0;
  for (const char* hive : kHives)
    theirLines += Lines("regripper -r '" + (dir / hive).string() +
                        "' -aT 2>/dev/null | grep '^[0-9][0-9]*|'");
  std::filesystem::remove_all(dir);

  std::printf("median of %d runs each; hives: NTUSER.DAT, UsrClass.dat (+ 2 logs), SYSTEM, "
              "amcache.hve, SAM\n",
              runs);
  std::printf("trailwick-cli timeline --format tln        : %8.1f ms  peak %7ld KB  %6ld events\n",
              cliTln.seconds * 1000, cliTln.peakKb, ourEvents);
  std::printf("trailwick-cli timeline --format csv        : %8.1f ms  peak %7ld KB\n",
              cliCsv.seconds * 1000, cliCsv.peakKb);
  std::printf("regripper -r HIVE -aT, the five in a row   : %8.1f ms  peak %7ld KB  %6ld events\n",
              peer * 1000, peerPeak, theirLines);
  std::printf("time ratio (ours tln / RegRipper's)        : %8.3f   (goal <= 0.05)\n",
              cliTln.seconds / peer);
  return 0;
}
