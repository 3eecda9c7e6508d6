#include "runtime/win32/win32_platform.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "runtime/exceptions.h"
#include "runtime/win32/wide_text.h"
#include "runtime/win32/application.h"

namespace tw {

std::string Win32Executable::Path() const {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size())
      return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string SystemErrorText(unsigned long code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                          FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length > 0 && text != nullptr ? std::string(text, length) : std::string();
  LocalFree(text);
  if (result.empty())
    result = "System error " + std::to_string(code);
  return result;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

void Win32FileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw EFCreateError(path, SystemErrorText(GetLastError()));
  bool written = true;
  for (size_t done = 0; written && done < bytes.size();) {
    DWORD count = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    written = ::WriteFile(file, bytes.data() + done, chunk, &count, nullptr) != 0 && count > 0;
    done += count;
  }
  const bool closed = CloseHandle(file) != 0;
  if (!written || !closed)
    throw EWriteError("Stream write error");
}

std::optional<std::string> Win32FileSystem::MoveReplacing(const std::string& from,
                                                          const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) == 0)
    return SystemErrorText(GetLastError());
  return std::nullopt;
}

void Win32FileSystem::RemoveFile(const std::string& path) {
  DeleteFileA(path.c_str());
}

Win32CodePage::Win32CodePage(unsigned codePage) : codePage_(codePage == 0 ? GetACP() : codePage) {}

bool Win32CodePage::IsLeadByte(uint8_t byte) const {
  return IsDBCSLeadByteEx(codePage_, byte) != 0;
}

std::string Win32CodePage::FromUtf16(std::u16string_view text) const {
  return AnsiFromWide({reinterpret_cast<const wchar_t*>(text.data()), text.size()}, codePage_);
}

std::u16string Win32CodePage::ToUtf16(std::string_view text) const {
  const std::wstring wide = WideFromAnsi(text, codePage_);
  return {wide.begin(), wide.end()};
}

std::unique_ptr<CodePage> MakeCodePage(unsigned number) {
  // UTF-8 and 1252 by the portable tables, so that both builds give the same bytes.
  if (number == kUtf8CodePage)
    return std::make_unique<Utf8CodePage>();
  if (number == 1252)
    return std::make_unique<Cp1252CodePage>();
  CPINFO info;
  if (!GetCPInfo(number, &info))
    return nullptr;
  return std::make_unique<Win32CodePage>(number);
}

uint32_t Win32Profile::ProfileString(const char* section, const char* key, const char* defaultValue,
                                     char* buffer, uint32_t size, const std::string& fileName) {
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName.c_str());
}

void Win32Clipboard::SetText(std::string_view text) {
  if (!OpenClipboard(reinterpret_cast<HWND>(owner_)))
    throw EClipboardException("Cannot open clipboard");
  EmptyClipboard();
  bool placed = false;
  if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    if (char* data = static_cast<char*>(GlobalLock(memory))) {
      std::copy(text.begin(), text.end(), data);
      data[text.size()] = '\0';
      GlobalUnlock(memory);
      placed = SetClipboardData(CF_TEXT, memory) != nullptr;
    }
    if (!placed)
      GlobalFree(memory);
  }
  CloseClipboard();
  if (!placed)
    throw EClipboardException("Cannot open clipboard");
}

std::string Win32Clipboard::Text() {
  if (!OpenClipboard(reinterpret_cast<HWND>(owner_)))
    throw EClipboardException("Cannot open clipboard");
  std::string text;
  if (const HANDLE memory = GetClipboardData(CF_TEXT)) {
    if (const char* data = static_cast<const char*>(GlobalLock(memory))) {
      text = data;
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return text;
}

void Win32Dialogs::ShowMessage(const std::string& text) {
  win::Application::Get().ShowMessage(text);
}

Answer Win32Dialogs::Ask(const std::string& question) {
  return win::Application::Get().Ask(question) ? Answer::Yes : Answer::No;
}

void Win32Shell::Open(WindowHandle parent, const std::string& file) {
  ShellExecuteA(reinterpret_cast<HWND>(parent), nullptr, file.c_str(), nullptr, nullptr, SW_SHOW);
}

} // namespace tw
