#pragma once
// Tests import fixtures into scratch keys of the platform's registry (see the runtime's
// ScratchRegistry).

#include "registry/win32/scratch_registry.h"

namespace tw::test {

using ScratchRegistry = tw::ScratchRegistry;

} // namespace tw::test
