// The first tab's items over the real NTUSER.DAT and SYSTEM by trailwick-cli, side by side with
// RegRipper's services plugin alone on the same SYSTEM: median wall time of several runs of
// each, their ratio, and our peak memory against the hives' size. Then the 15 Windows 7 - 11
// items over the same hives, beside RegRipper's usbstor plugin on SYSTEM.
//   cli_vs_regripper [RUNS]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "process_timing.h"

using tw::bench::Measure;
using tw::bench::Median;

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("trailwick-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  for (const char* name : {"NTUSER.DAT", "SYSTEM"}) {
    const std::string command = std::string("xz -dc '") + TW_HIVE_DIR + "/" + name + ".xz' > '" +
                                (dir / name).string() + "'";
    if (std::system(command.c_str()) != 0)
      return 1;
  }
  const std::string ntuser = (dir / "NTUSER.DAT").string();
  const std::string system = (dir / "SYSTEM").string();
  const double hiveKb =
      (std::filesystem::file_size(ntuser) + std::filesystem::file_size(system)) / 1024.0;

  std::vector<std::string> ours = {TW_CLI_PATH, "show", "--hive", ntuser, "--hive", system};
  // The machine's live memory figures (item 10) are no trace of a hive: asked for offline, the
  // command fails.
  for (int i = 0; i < 34; ++i)
    if (i != 10)
      ours.push_back(std::to_string(i));
  std::vector<std::string> modern = {TW_CLI_PATH, "show", "--hive", ntuser, "--hive", system};
  for (int i = 34; i < 49; ++i)
    modern.push_back(std::to_string(i));
  const Measure cli = Median(ours, runs);
  const Measure peer = Median({"regripper", "-r", system, "-p", "services"}, runs);
  const Measure cliModern = Median(modern, runs);
  const Measure peerUsb = Median({"regripper", "-r", system, "-p", "usbstor"}, runs);
  std::filesystem::remove_all(dir);

  std::printf("median of %d runs each\n", runs);
  std::printf("trailwick-cli, 33 items, NTUSER.DAT + SYSTEM     : %8.1f ms  peak %7ld KB\n",
              cli.seconds * 1000, cli.peakKb);
  std::printf("regripper -p services, SYSTEM                    : %8.1f ms  peak %7ld KB\n",
              peer.seconds * 1000, peer.peakKb);
  std::printf("time ratio (ours / RegRipper's)                  : %8.2f   (goal <= 0.50)\n",
              cli.seconds / peer.seconds);
  std::printf("our peak memory / hives' size (%6.0f KB)         : %8.2f   (goal <= 2.00)\n", hiveKb,
              cli.peakKb / hiveKb);
  std::printf("trailwick-cli, the 15 Windows 7 - 11 items       : %8.1f ms  peak %7ld KB\n",
              cliModern.seconds * 1000, cliModern.peakKb);
  std::printf("regripper -p usbstor, SYSTEM                     : %8.1f ms  peak %7ld KB\n",
              peerUsb.seconds * 1000, peerUsb.peakKb);
  return 0;
}
