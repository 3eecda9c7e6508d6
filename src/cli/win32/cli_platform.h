#pragma once
// The command line on Windows: the live registry (through the ANSI interface, so in the
// system's code page), the system's list comparison; hive files are read by our own reader as
// on every platform, never handed to the system's hive loader.

#include "cli/cli_platform.h"
#include "registry/win32/win32_registry.h"
#include "runtime/win32/win32_collation.h"

namespace tw {

class Win32CliPlatform final : public CliPlatform {
public:
  RegistryApi* LiveRegistry() override { return &registry_; }
  Collation& RowCollation() override { return collation_; }
  // Hive files: UTF-8; the live registry: the system's ANSI code page, and no other.
  unsigned DefaultCodePage(LiveSystem live) const override;
  bool AcceptsCodePage(unsigned number, LiveSystem live) const override;

private:
  Win32Registry registry_;
  Win32Collation collation_;
};

} // namespace tw
