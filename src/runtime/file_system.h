#pragma once
// Folders and files. The core writes Windows paths ("\" between components) everywhere; the
// portable implementation maps them onto the host's file system. Windows: CreateDirectoryA,
// CreateFileA, MoveFileExA and DeleteFileA (src/runtime/win32).

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class FileSystem {
public:
  virtual ~FileSystem() = default;
  // Creates one folder level. False when it could not be created; an existing folder is no
  // failure. Nothing is raised: a missing folder shows when a file in it cannot be created.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Creates or truncates the file and writes the bytes in one piece. Raises EFCreateError
  // "Cannot create file "%s". %s" (the path, the system's text for the error) when the file
  // cannot be created, EWriteError when the bytes cannot all be written (a part may be
  // written then).
  virtual void WriteFile(const std::string& path, std::string_view bytes) = 0;
  // Puts the file `from` in the place of `to` in one step, replacing `to` when it exists.
  // None when done, else the system's text for the error.
  virtual std::optional<std::string> MoveReplacing(const std::string& from,
                                                   const std::string& to) = 0;
  // Deletes a file; nothing happens when it cannot.
  virtual void RemoveFile(const std::string& path) = 0;
};

// Writes the bytes into a file beside `path` and then puts that file in its place in one step,
// so that a write that fails midway (a full disk) leaves an earlier file of that name as it
// was. Raises EFCreateError naming `path` when the file cannot be created or put in place,
// EWriteError when the bytes cannot all be written; nothing is left beside it then.
void SaveFile(FileSystem& files, const std::string& path, std::string_view bytes);
// The name of the file written beside `path` while it is saved.
std::string SavingPath(const std::string& path);

// The host file system through POSIX-style calls of the C++ library.
class PortableFileSystem final : public FileSystem {
public:
  bool CreateFolder(const std::string& path) override;
  void WriteFile(const std::string& path, std::string_view bytes) override;
  std::optional<std::string> MoveReplacing(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
};

// The host's spelling of a Windows-style path: "\" becomes the host's separator.
std::string HostPath(std::string_view path);
// A Windows-style path for a host path.
std::string FromHostPath(std::string_view hostPath);

// The message of a file that cannot be created; trailing blanks and dots of the system's text
// are dropped, as the runtime shows system messages.
std::string CreateFileErrorMessage(std::string_view path, std::string_view systemText);

} // namespace tw
