#include "registry/win32/scratch_registry.h"

#include <windows.h>

#include "runtime/exceptions.h"

namespace tw {
namespace {

HKEY CreateKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    throw Exception("cannot create scratch key " + path);
  return key;
}

} // namespace

ScratchRegistry::ScratchRegistry(const std::string& parentPath) {
  root_ = parentPath + "\\" + std::to_string(GetCurrentProcessId());
  RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
  currentUser_ = CreateKey(HKEY_CURRENT_USER, root_ + "\\CU");
  localMachine_ = CreateKey(HKEY_CURRENT_USER, root_ + "\\LM");
  classesRoot_ = CreateKey(HKEY_CURRENT_USER, root_ + "\\LM\\SOFTWARE\\Classes");
  RegOverridePredefKey(HKEY_CURRENT_USER, static_cast<HKEY>(currentUser_));
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, static_cast<HKEY>(localMachine_));
  RegOverridePredefKey(HKEY_CLASSES_ROOT, static_cast<HKEY>(classesRoot_));
}

ScratchRegistry::~ScratchRegistry() {
  RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(static_cast<HKEY>(classesRoot_));
  RegCloseKey(static_cast<HKEY>(localMachine_));
  RegCloseKey(static_cast<HKEY>(currentUser_));
  RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
}

} // namespace tw
