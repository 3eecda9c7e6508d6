#pragma once
// The non-Microsoft database: the profile file WKS.db beside the executable. Each section is
// an application; its "Check" key holds the registry address of the key whose presence shows
// that the application is installed, and every other key is one preview row, its name the
// row's label and its value the address of the registry value to show. The file is read
// afresh for every question; nothing of it is kept.

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The executable's folder followed by "WKS.db".
std::string DatabasePath();

class NonMicrosoftDatabase {
public:
  explicit NonMicrosoftDatabase(std::string path);

  // The section names in file order, duplicates included; none for a missing or empty file.
  std::vector<std::string> ApplicationNames() const;
  // Whether the key of the application's "Check" address exists. An absent "Check", or an
  // address without a key path, counts as absent.
  bool IsInstalled(const std::string& application) const;
  // One row per key of the section but "Check", in file order: the key name, "=" and the text
  // of the registry value its address names (empty for a missing value or an address without
  // a key path). A value of a non-text type raises ERegistryException.
  std::vector<std::string> PreviewRows(const std::string& application) const;

  static constexpr const char* kCheckKey = "Check";

private:
  std::string path_;
};

} // namespace tw
