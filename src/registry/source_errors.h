#pragma once
// What goes wrong with the sources of registry data: a file that cannot be read (the message
// names it and the reason), and sources that cannot go together.

#include <stdexcept>

namespace tw {

class SourceError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class SourceConflict : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

} // namespace tw
