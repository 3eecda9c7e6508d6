// The first tab's items over the real NTUSER.DAT and SYSTEM by trailwick-cli, side by side with
// RegRipper's services plugin alone on the same SYSTEM: median wall time of several runs of
// each, their ratio, and our peak memory against the hives' size. Then the 15 Windows 7 - 11
// items over the same hives, beside RegRipper's usbstor plugin on SYSTEM.
//   cli_vs_regripper [RUNS]

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Measure {
  double seconds;
  long peakKb;
};

// Runs a program with its output thrown away; wall time and the child's peak resident size.
Measure RunOnce(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", argv[0]);
    std::exit(1);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s ended with status %d\n", argv[0], status);
    std::exit(1);
  }
  return {elapsed.count(), usage.ru_maxrss};
}

Measure Median(const std::vector<std::string>& args, int runs) {
  std::vector<Measure> all;
  for (int i = 0; i < runs; ++i)
    all.push_back(RunOnce(args));
  std::sort(all.begin(), all.end(),
            [](const Measure& a, const Measure& b) { return a.seconds < b.seconds; });
  long peak = 0;
  for (const Measure& m : all)
    peak = std::max(peak, m.peakKb);
  return {all[all.size() / 2].seconds, peak};
}

} // namespace

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
