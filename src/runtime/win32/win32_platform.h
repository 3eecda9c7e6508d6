#pragma once
// The real platform behind the seams of reports, the database and navigation.

#include "runtime/clipboard.h"
#include "runtime/code_page.h"
#include "runtime/dialogs.h"
#include "runtime/executable.h"
#include "runtime/file_system.h"
#include "runtime/profile.h"
#include "runtime/shell.h"

namespace tw {

// GetModuleFileNameA of the program.
class Win32Executable final : public Executable {
public:
  std::string Path() const override;
};

// CreateDirectoryA; CreateFileA and WriteFile, with FormatMessageA's text for a file that
// cannot be created; MoveFileExA replacing an existing file; DeleteFileA.
class Win32FileSystem final : public FileSystem {
public:
  bool CreateFolder(const std::string& path) override;
  void WriteFile(const std::string& path, std::string_view bytes) override;
  std::optional<std::string> MoveReplacing(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
};

// The system's text for an error code, as FormatMessageA gives it.
std::string SystemErrorText(unsigned long code);

// A code page through the system's tables (IsDBCSLeadByteEx, WideCharToMultiByte,
// MultiByteToWideChar); the system's ANSI code page by default.
class Win32CodePage final : public CodePage {
public:
  explicit Win32CodePage(unsigned codePage = 0 /* CP_ACP */);
  unsigned Number() const override { return codePage_; }
  bool IsLeadByte(uint8_t byte) const override;
  std::string FromUtf16(std::u16string_view text) const override;
  std::u16string ToUtf16(std::string_view text) const override;

private:
  unsigned codePage_;
};

// GetPrivateProfileStringA.
class Win32Profile final : public ProfileApi {
public:
  uint32_t ProfileString(const char* section, const char* key, const char* defaultValue,
                         char* buffer, uint32_t size, const std::string& fileName) override;
};

// CF_TEXT on the clipboard, owned by the given window (none until the form has one).
class Win32Clipboard final : public Clipboard {
public:
  void SetOwner(WindowHandle owner) { owner_ = owner; }
  void SetText(std::string_view text) override;
  std::string Text() override;

private:
  WindowHandle owner_ = 0;
};

// MessageBoxA with the application's title and an OK button, or Yes and No buttons.
class Win32Dialogs final : public Dialogs {
public:
  void ShowMessage(const std::string& text) override;
  Answer Ask(const std::string& question) override;
};

// ShellExecuteA(parent, no verb, file, no parameters, no folder, SW_SHOW); result ignored.
class Win32Shell final : public Shell {
public:
  void Open(WindowHandle parent, const std::string& file) override;
};

} // namespace tw
