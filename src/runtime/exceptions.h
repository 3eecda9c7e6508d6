#pragma once
// The application's exception classes. Every error the program reports to the user is one of
// these; the message text is what the error box shows.

#include <exception>
#include <string>
#include <string_view>

namespace tw {

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

private:
  std::string message_;
};

// Registry layer: a value of the wrong type, or data that could not be read.
class ERegistryException : public Exception {
public:
  using Exception::Exception;
};

// Registry layer: the one write failed.
class EOleRegistrationError : public Exception {
public:
  EOleRegistrationError() : Exception("Error creating system registry entry") {}
};

// String lists and list models: an index outside the list.
class EStringListError : public Exception {
public:
  using Exception::Exception;
};

// Reports: a file that cannot be created.
class EFCreateError : public Exception {
public:
  using Exception::Exception;
  // "Cannot create file "%s". %s": the path and the system's text for the error.
  EFCreateError(std::string_view path, std::string systemText);
  const std::string& SystemText() const { return systemText_; }

private:
  std::string systemText_;
};

// Reports: a file that was created but could not be written to the end.
class EWriteError : public Exception {
public:
  using Exception::Exception;
};

// Clipboard that another program holds.
class EClipboardException : public Exception {
public:
  using Exception::Exception;
};

// Skin archive decompressor.
class ElzhException : public Exception {
public:
  using Exception::Exception;
};

// A broken precondition of a runtime routine.
class EAssertionFailed : public Exception {
public:
  using Exception::Exception;
};

// printf-style formatting into a std::string (the runtime's Format).
std::string Format(const char* pattern, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

[[noreturn]] void ThrowListIndexError(int index);

} // namespace tw
