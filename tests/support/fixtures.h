#pragma once
// Shared test support: fixture files and a fresh portable platform per test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/collation.h"
#include "registry/memory_registry.h"
#include "runtime/seam.h"

namespace tw::test {

std::string FixturePath(const std::string& name);
std::string ReadFileBytes(const std::string& path);
std::vector<std::uint8_t> ReadFileData(const std::string& path);

// A test on an empty in-memory registry with the portable collation installed.
class PortableRegistryTest : public testing::Test {
protected:
  void LoadReg(const std::string& regText);
  void LoadFixture(const std::string& name);

  MemoryRegistry registry;
  PortableCollation collation;

private:
  ScopedSeam<RegistryApi> registrySeam_{registry};
  ScopedSeam<Collation> collationSeam_{collation};
};

} // namespace tw::test
