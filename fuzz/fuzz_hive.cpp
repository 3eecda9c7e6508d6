// Hive bytes in, every item's rows out as timeline events: the hive store (our reader
// underneath), the mounts, the readers and the timeline under the sanitizers. The first byte
// picks the kind the hive is mounted as.

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
  static const char* const kKinds[] = {"ntuser", "usrclass", "software",
                                       "system", "sam",      "amcache"};
  const int fd = memfd_create("hive", 0);
  if (fd < 0)
    return 0;
  if (write(fd, data + 1, size - 1) == static_cast<ssize_t>(size - 1)) {
    const std::vector<std::string> args = {"timeline", "--hive",
                                           std::string(kKinds[data[0] % 6]) + "=/proc/self/fd/" +
                                               std::to_string(fd),
                                           "--format", "csv"};
    tw::OfflineCliPlatform platform;
    std::ostringstream out, err;
    tw::RunCli(args, platform, out, err);
  }
  close(fd);
  return 0;
}
