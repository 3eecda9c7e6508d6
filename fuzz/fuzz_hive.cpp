// Hive bytes in, every item's rows out: the hive store (our reader underneath), the mounts and the
// readers under the sanitizers. The first byte picks the kind the hive is mounted as.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/offline_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1)
    return 0;
  static const char* const kKinds[] = {"ntuser", "usrclass", "software", "system"};
  const int fd = memfd_create("hive", 0);
  if (fd < 0)
    return 0;
  if (write(fd, data + 1, size - 1) == static_cast<ssize_t>(size - 1)) {
    std::vector<std::string> args = {"show", "--hive",
                                     std::string(kKinds[data[0] % 4]) + "=/proc/self/fd/" +
                                         std::to_string(fd)};
    for (int i = 0; i < 34; ++i)
      args.push_back(std::to_string(i));
    tw::OfflineCliPlatform platform;
    std::ostringstream out, err;
    tw::RunCli(args, platform, out, err);
  }
  close(fd);
  return 0;
}
