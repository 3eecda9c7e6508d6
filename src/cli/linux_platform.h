#pragma once
// The command line on Linux: hive files through hivex, no live registry, the portable list
// comparison, code page 1252 unless asked otherwise.

#include "cli/hive_source.h"

namespace tw {

class LinuxCliPlatform final : public CliPlatform {
public:
  std::unique_ptr<OpenedHive> OpenHive(const std::string& path,
                                       const AnsiCodePage& codePage) override;
  RegistryApi* LiveRegistry() override { return nullptr; }
  Collation& RowCollation() override { return collation_; }
  unsigned DefaultCodePage() const override { return 1252; }

private:
  PortableCollation collation_;
};

} // namespace tw
