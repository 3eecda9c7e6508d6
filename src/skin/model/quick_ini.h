#pragma once
// TQuickIni: the skin definition's INI reader, over text held in memory.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/strings.h"
#include "skin/model/memory_stream.h"

namespace tw {

class TQuickIni {
public:
  // Replaces the content with the text from the stream's position to its end.
  void LoadFromStream(TMemoryStream& stream);
  void LoadFromText(std::string_view text);

  // Section names in file order, brackets removed and trimmed. A missing list is a broken
  // precondition ("The parameter Strings is unassigned!").
  void ReadSections(TStrings* list) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // Line index of the section's header, or -1.
  int SectionIndex(std::string_view section) const;

  const std::vector<std::string>& Lines() const { return lines_; }

private:
  struct Header {
    std::string lowered; // "[name]" lowercased
    int line;
  };

  std::vector<std::string> lines_;
  std::vector<Header> headers_;
  std::vector<bool> isHeader_;
};

// Decimal, or hexadecimal after "$", with an optional sign; nothing when the text is not one.
std::optional<int> ParseDelphiInteger(std::string_view text);

} // namespace tw
