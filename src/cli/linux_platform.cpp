#include "cli/linux_platform.h"

#include "cli/hive_store.h"

namespace tw {
namespace {

class HiveFile final : public OpenedHive {
public:
  HiveFile(const std::string& path, const AnsiCodePage& codePage) : store_(path, codePage) {}
  RegistryApi& Store() override { return store_; }
  RegKey Root() const override { return store_.Root(); }

private:
  HiveStore store_;
};

} // namespace

std::unique_ptr<OpenedHive> LinuxCliPlatform::OpenHive(const std::string& path,
                                                       const AnsiCodePage& codePage) {
  return std::make_unique<HiveFile>(path, codePage);
}

} // namespace tw
