#pragma once
// Reading profile (INI) files, shaped like GetPrivateProfileStringA (src/runtime/win32). The
// portable reader follows the rules measured on the platform:
// - lines end at CR or LF; each line is trimmed of blanks (space, tab, CR, LF, VT, FF and
//   the end-of-file mark 26); empty lines are skipped;
// - "[" starts a section header that runs to the last "]" of the line; the name between is
//   trimmed; a line without "]" is an ordinary line; lines before the first header belong to a
//   section without a name, which is never listed;
// - other lines are a key name, "=" and a value, both trimmed; a line without "=" has no value;
// - the section list holds every named section in file order, duplicates included; a section's
//   key list holds its keys in file order, duplicates included, leaving out lines without "="
//   and comment lines (";" first); names match without regard to the case of ASCII letters,
//   and the first section and the first key of a name win;
// - a value loses one pair of matching enclosing quotes (" or '); a missing key gives the
//   default;
// - buffers are filled as the platform fills them, truncation included;
// - a file that starts with a UTF-8 or UTF-16 byte-order mark is read in that encoding and its
//   text given in code page 1252 ("?" for what it lacks); other files are code page 1252 bytes.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class ProfileApi {
public:
  virtual ~ProfileApi() = default;
  // section null: the section names, each followed by NUL, then a NUL. key null: the key names
  // of the section in the same way. Otherwise the key's value, or the default when the key is
  // missing. Returns the number of bytes placed before the final NUL; a list cut short by the
  // size returns size - 2. A missing file reads as an empty one.
  virtual uint32_t ProfileString(const char* section, const char* key, const char* defaultValue,
                                 char* buffer, uint32_t size, const std::string& fileName) = 0;
};

class PortableProfile final : public ProfileApi {
public:
  PortableProfile();
  ~PortableProfile() override;
  uint32_t ProfileString(const char* section, const char* key, const char* defaultValue,
                         char* buffer, uint32_t size, const std::string& fileName) override;

  struct Key {
    std::string name;
    std::optional<std::string> value; // none: a line without "="
  };
  struct Section {
    std::string name;
    std::vector<Key> keys;
  };
  // The sections of a profile's text, as the reader sees them.
  static std::vector<Section> Parse(const std::string& bytes);

private:
  struct Cache;
  const std::vector<Section>& Load(const std::string& fileName);
  std::unique_ptr<Cache> cache_;
};

} // namespace tw
