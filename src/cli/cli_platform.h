#pragma once
// What differs between the platforms for the command line: whether there is a live registry,
// the list comparison, the default code page.

#include "registry/evidence_sources.h"
#include "runtime/collation.h"

namespace tw {

class CliPlatform {
public:
  virtual ~CliPlatform() = default;
  // The running system's registry; nullptr where there is none.
  virtual RegistryApi* LiveRegistry() = 0;
  virtual Collation& RowCollation() = 0;
  // The code page when none is asked for, and whether another one can be: the live registry
  // delivers the system's ANSI code page and no other.
  virtual unsigned DefaultCodePage(LiveSystem live) const = 0;
  virtual bool AcceptsCodePage(unsigned /*number*/, LiveSystem /*live*/) const { return true; }
};

} // namespace tw
