#pragma once
// A test on the portable platform: the in-memory registry and the portable collation of
// PortableRegistryTest, plus an executable in a fresh temporary folder, a fixed clock (7 December
// 2026), the host file system, an in-memory clipboard, a recording shell and the portable profile
// reader.

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/clipboard.h"
#include "runtime/dialogs.h"
#include "runtime/executable.h"
#include "runtime/file_system.h"
#include "runtime/profile.h"
#include "runtime/shell.h"
#include "support/fake_system_info.h"
#include "support/fixtures.h"

namespace tw::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Host() const { return host_; }
  // The folder as the program spells paths, ending in "\".
  std::string Path() const;

private:
  std::filesystem::path host_;
};

class PortablePlatformTest : public PortableRegistryTest {
protected:
  // The executable's folder, ending in "\", and the report folder of the fixed date.
  std::string ExeFolder() const { return folder.Path(); }
  std::string ReportFolderPath() const;
  // Writes WKS.db beside the executable.
  void WriteDatabase(const std::string& text) const;
  // Files of the report folder, by name, sorted bytewise.
  std::vector<std::string> ReportFiles() const;
  std::string ReadReport(const std::string& fileName) const;

  TempFolder folder;
  PortableExecutable executable{folder.Path() + "Trailwick.exe"};
  PortableFileSystem files;
  MemoryClipboard clipboard;
  RecordingShell shell;
  PortableProfile profile;
  FakeSystemInfo system{FakeSystemInfo::At({2026, 12, 7, 1, 10, 30, 0})};
  RecordingDialogs dialogs;

private:
  ScopedSeam<Executable> executableSeam_{executable};
  ScopedSeam<FileSystem> filesSeam_{files};
  ScopedSeam<Clipboard> clipboardSeam_{clipboard};
  ScopedSeam<Shell> shellSeam_{shell};
  ScopedSeam<ProfileApi> profileSeam_{profile};
  ScopedSeam<SystemInfo> systemSeam_{system};
  ScopedSeam<Dialogs> dialogsSeam_{dialogs};
};

} // namespace tw::test
