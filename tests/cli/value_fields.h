#pragma once
// The labelled fields of an evidence row's value ("Label text, Label text"): a field ends where
// the next known label starts, so a field's own text may hold ", ".

#include <string>
#include <vector>

namespace tw::test {

// The field under `label`; empty when the value has none.
inline std::string FieldOf(const std::string& value, const std::string& label,
                           const std::vector<std::string>& labels) {
  const auto starts = [&](std::size_t at, const std::string& l) {
    return value.compare(at, l.size() + 1, l + " ") == 0;
  };
  std::size_t at = starts(0, label) ? 0 : std::string::npos;
  for (std::size_t comma = value.find(", "); at == std::string::npos && comma != std::string::npos;
       comma = value.find(", ", comma + 2))
    if (starts(comma + 2, label))
      at = comma + 2;
  if (at == std::string::npos)
    return "";
  at += label.size() + 1;
  for (std::size_t comma = value.find(", ", at); comma != std::string::npos;
       comma = value.find(", ", comma + 2))
    for (const std::string& next : labels)
      if (starts(comma + 2, next))
        return value.substr(at, comma - at);
  return value.substr(at);
}

} // namespace tw::test
