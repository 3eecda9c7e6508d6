#pragma once
// Tests import fixtures into scratch keys of the platform's registry (see the runtime's
// ScratchRegistry).

#include "runtime/win32/scratch_registry.h"

namespace tw::test {

using ScratchRegistry = tw::ScratchRegistry;

} // namespace tw::test
