#include "runtime/ini_file.h"

#include <vector>

#include "runtime/profile.h"
#include "runtime/seam.h"

namespace tw {

std::vector<std::string> SplitNameList(const char* buffer, unsigned length) {
  std::vector<std::string> names;
  unsigned start = 0;
  for (unsigned i = 0; i < length; ++i) {
    if (buffer[i] == '\0') {
      names.emplace_back(buffer + start, i - start);
      start = i + 1;
    }
  }
  // A piece without its NUL is a name the buffer cut short: not a name of the file.
  return names;
}

std::vector<std::string> TIniFile::ReadNames(const char* section) const {
  // One byte more than the platform is told, so that the list always ends in NUL.
  std::vector<char> buffer(kNamesBufferSize + 1, '\0');
  const uint32_t length = Seam<ProfileApi>::Get().ProfileString(section, nullptr, "", buffer.data(),
                                                                kNamesBufferSize, fileName_);
  return SplitNameList(buffer.data(), length < kNamesBufferSize ? length : kNamesBufferSize);
}

std::vector<std::string> TIniFile::ReadSections() const {
  return ReadNames(nullptr);
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  return ReadNames(section.c_str());
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  std::vector<char> buffer(kValueBufferSize + 1, '\0');
  const uint32_t length =
      Seam<ProfileApi>::Get().ProfileString(section.c_str(), key.c_str(), defaultValue.c_str(),
                                            buffer.data(), kValueBufferSize, fileName_);
  return std::string(buffer.data(), length < kValueBufferSize ? length : kValueBufferSize - 1);
}

} // namespace tw
