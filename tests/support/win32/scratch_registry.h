#pragma once
// Points this process's HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT at empty
// scratch keys of the real registry for the lifetime of the object, so that a test can import
// a fixture into the platform's registry without touching the prefix's own data.

#include <string>

namespace tw::test {

class ScratchRegistry {
public:
  ScratchRegistry();
  ~ScratchRegistry();
  ScratchRegistry(const ScratchRegistry&) = delete;
  ScratchRegistry& operator=(const ScratchRegistry&) = delete;

private:
  std::string root_;
  void* currentUser_ = nullptr;
  void* localMachine_ = nullptr;
  void* classesRoot_ = nullptr;
};

} // namespace tw::test
