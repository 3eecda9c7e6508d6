#pragma once
// The command line on Windows: hive files loaded as application hives (RegLoadAppKeyA, looked
// up at run time: older systems lack it), the live registry, the system's list comparison and
// its ANSI code page.

#include "cli/hive_source.h"
#include "runtime/win32/win32_collation.h"
#include "runtime/win32/win32_registry.h"

namespace tw {

class Win32CliPlatform final : public CliPlatform {
public:
  std::unique_ptr<OpenedHive> OpenHive(const std::string& path,
                                       const AnsiCodePage& codePage) override;
  RegistryApi* LiveRegistry() override { return &registry_; }
  Collation& RowCollation() override { return collation_; }
  unsigned DefaultCodePage() const override;
  // The ANSI interface converts with the system's code page; no other can be asked for.
  bool AcceptsCodePage(unsigned number) const override { return number == DefaultCodePage(); }

private:
  Win32Registry registry_;
  Win32Collation collation_;
};

} // namespace tw
