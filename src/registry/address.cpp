#include "registry/address.h"

namespace tw {

std::optional<RegKey> RootKeyFromName(std::string_view rootName) {
  if (rootName == "HKCU")
    return reg::kCurrentUser;
  if (rootName == "HKLM")
    return reg::kLocalMachine;
  if (rootName == "HKCR")
    return reg::kClassesRoot;
  return std::nullopt;
}

std::string_view RootShortName(RegKey root) {
  switch (root) {
  case reg::kCurrentUser:
    return "HKCU";
  case reg::kLocalMachine:
    return "HKLM";
  case reg::kClassesRoot:
    return "HKCR";
  case reg::kUsers:
    return "HKU";
  default:
    return "";
  }
}

std::vector<std::string> SplitRegistryAddress(std::string_view address) {
  std::vector<std::string> parts;
  std::string part;
  bool pending = false; // a part has been started (possibly empty) and not yet stored
  for (size_t i = 0; i < address.size(); ++i) {
    const char c = address[i];
    if (c == '|' || c == '\n' || c == '\r') {
      parts.push_back(part);
      part.clear();
      pending = false;
      if (c == '\r' && i + 1 < address.size() && address[i + 1] == '\n')
        ++i;
    } else {
      part += c;
      pending = true;
    }
  }
  if (pending)
    parts.push_back(part);
  return parts;
}

} // namespace tw
