#pragma once
// Timing whole program runs for the benchmarks that set our command line beside another tool:
// wall time of a run with its output thrown away, the child's peak resident size, and the
// median of several runs.

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

namespace tw::bench {

struct Measure {
  double seconds;
  long peakKb;
};

// Runs a program with its output thrown away; wall time and the child's peak resident size.
inline Measure RunOnce(std::vector<std::string> args) {
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

inline Measure Median(const std::vector<std::string>& args, int runs) {
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

} // namespace tw::bench
