#pragma once
// The command line where there is no registry of its own (Linux): hive files and regedit
// exports only, the portable list comparison, UTF-8 text unless another code page is asked for.

#include "cli/cli_platform.h"

namespace tw {

class OfflineCliPlatform final : public CliPlatform {
public:
  RegistryApi* LiveRegistry() override { return nullptr; }
  Collation& RowCollation() override { return collation_; }
  unsigned DefaultCodePage(LiveSystem) const override { return kUtf8CodePage; }

private:
  PortableCollation collation_;
};

} // namespace tw
