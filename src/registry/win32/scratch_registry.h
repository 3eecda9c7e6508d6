#pragma once
// Points this process's HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE and HKEY_CLASSES_ROOT at empty
// scratch keys of the real registry for the lifetime of the object, so that a test or a
// timing program can import data into the platform's registry without touching the machine's
// own. The scratch keys lie under the real HKEY_CURRENT_USER, below `parentPath` and a folder
// named after the process, and are deleted again at the end.

#include <string>

namespace tw {

class ScratchRegistry {
public:
  explicit ScratchRegistry(const std::string& parentPath = "Software\\TrailwickTests");
  ~ScratchRegistry();
  ScratchRegistry(const ScratchRegistry&) = delete;
  ScratchRegistry& operator=(const ScratchRegistry&) = delete;

private:
  std::string root_;
  void* currentUser_ = nullptr;
  void* localMachine_ = nullptr;
  void* classesRoot_ = nullptr;
};

} // namespace tw
