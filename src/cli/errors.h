#pragma once
// The command line's failures: a source (or a report file) that cannot be read or written,
// with the file and the reason in the message, and a command line that makes no sense.

#include <stdexcept>

#include "registry/source_errors.h"

namespace tw {

class UsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

} // namespace tw
