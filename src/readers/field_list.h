#pragma once
// A row's value made of labelled fields, "Label text, Label text", as the evidence readers
// write them; a field with nothing to say is left out.

#include <cstdint>
#include <string>
#include <string_view>

#include "readers/binary_traces.h"

namespace tw {

class FieldList {
public:
  FieldList& Add(std::string_view label, std::string_view text) {
    if (text.empty())
      return *this;
    if (!text_.empty())
      text_ += ", ";
    text_.append(label);
    if (!label.empty())
      text_ += ' ';
    text_.append(text);
    return *this;
  }
  // A FILETIME as "yyyy-mm-dd hh:nn:ss" (UTC); 0 is no time.
  FieldList& AddTime(std::string_view label, std::uint64_t fileTime) {
    return fileTime == 0 ? *this : Add(label, FormatFileTime(fileTime));
  }
  const std::string& Text() const { return text_; }

private:
  std::string text_;
};

} // namespace tw
