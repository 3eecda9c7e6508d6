#include "runtime/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "runtime/exceptions.h"

namespace tw {

std::string HostPath(std::string_view path) {
  std::string host(path);
  if constexpr (std::filesystem::path::preferred_separator != '\\') {
    for (char& c : host)
      if (c == '\\')
        c = '/';
  }
  return host;
}

std::string FromHostPath(std::string_view hostPath) {
  std::string path(hostPath);
  for (char& c : path)
    if (c == '/')
      c = '\\';
  return path;
}

std::string CreateFileErrorMessage(std::string_view path, std::string_view systemText) {
  size_t end = systemText.size();
  while (end > 0 &&
         (static_cast<unsigned char>(systemText[end - 1]) <= ' ' || systemText[end - 1] == '.'))
    --end;
  return Format("Cannot create file \"%.*s\". %.*s", static_cast<int>(path.size()), path.data(),
                static_cast<int>(end), systemText.data());
}

EFCreateError::EFCreateError(std::string_view path, std::string systemText)
    : Exception(CreateFileErrorMessage(path, systemText)), systemText_(std::move(systemText)) {}

std::string SavingPath(const std::string& path) {
  return path + "~";
}

void SaveFile(FileSystem& files, const std::string& path, std::string_view bytes) {
  const std::string beside = SavingPath(path);
  try {
    files.WriteFile(beside, bytes);
  } catch (const EFCreateError& error) {
    throw EFCreateError(path, error.SystemText());
  } catch (...) {
    files.RemoveFile(beside);
    throw;
  }
  if (const std::optional<std::string> failure = files.MoveReplacing(beside, path)) {
    files.RemoveFile(beside);
    throw EFCreateError(path, *failure);
  }
}

bool PortableFileSystem::CreateFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directory(HostPath(path), error);
  return !error;
}

void PortableFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(HostPath(path).c_str(), "wb");
  if (file == nullptr)
    throw EFCreateError(path, std::strerror(errno));
  const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
  const bool closed = std::fclose(file) == 0;
  if (written != bytes.size() || !closed)
    throw EWriteError("Stream write error");
}

std::optional<std::string> PortableFileSystem::MoveReplacing(const std::string& from,
                                                             const std::string& to) {
  // std::filesystem::rename replaces an existing file also on Windows, where std::rename fails.
  std::error_code error;
  std::filesystem::rename(HostPath(from), HostPath(to), error);
  if (error)
    return error.message();
  return std::nullopt;
}

void PortableFileSystem::RemoveFile(const std::string& path) {
  std::remove(HostPath(path).c_str());
}

} // namespace tw
