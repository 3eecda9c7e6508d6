#pragma once
// Folders and files. The core writes Windows paths ("\" between components) everywhere; the
// portable implementation maps them onto the host's file system. Windows: CreateDirectoryA and
// CreateFileA (src/runtime/win32).

#include <string>
#include <string_view>

namespace tw {

class FileSystem {
public:
  virtual ~FileSystem() = default;
  // Creates one folder level. False when it could not be created; an existing folder is no
  // failure. Nothing is raised: a missing folder shows when a file in it cannot be created.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Creates or replaces the file and writes the bytes in one piece. Raises EFCreateError
  // "Cannot create file "%s". %s" (the path, the system's text for the error) when the file
  // cannot be created, EWriteError when the bytes cannot all be written.
  virtual void WriteFile(const std::string& path, std::string_view bytes) = 0;
};

// The host file system through POSIX-style calls of the C++ library.
class PortableFileSystem final : public FileSystem {
public:
  bool CreateFolder(const std::string& path) override;
  void WriteFile(const std::string& path, std::string_view bytes) override;
};

// The host's spelling of a Windows-style path: "\" becomes the host's separator.
std::string HostPath(std::string_view path);
// A Windows-style path for a host path.
std::string FromHostPath(std::string_view hostPath);

// The message of a file that cannot be created; trailing blanks and dots of the system's text
// are dropped, as the runtime shows system messages.
std::string CreateFileErrorMessage(std::string_view path, std::string_view systemText);

} // namespace tw
