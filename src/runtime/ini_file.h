#pragma once
// The runtime's profile file accessor over the installed ProfileApi: section names and key
// names through buffers of 16,384 bytes, values through a buffer of 2,048 bytes (at most 2,047
// characters). Every call reads the file afresh through the platform.

#include <string>
#include <vector>

namespace tw {

class TIniFile {
public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }
  // Section names in file order, duplicates included; names beyond the buffer are left out.
  std::vector<std::string> ReadSections() const;
  // Key names of a section in file order, duplicates included.
  std::vector<std::string> ReadSection(const std::string& section) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;

  static constexpr unsigned kNamesBufferSize = 16384;
  static constexpr unsigned kValueBufferSize = 2048;

private:
  std::vector<std::string> ReadNames(const char* section) const;
  std::string fileName_;
};

// The names of a list buffer: the pieces before `length`, each ended by a NUL. A final piece
// without its NUL is a name that the buffer cut short and is left out.
std::vector<std::string> SplitNameList(const char* buffer, unsigned length);

} // namespace tw
