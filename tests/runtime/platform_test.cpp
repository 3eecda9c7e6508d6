// The portable platform seams: executable folder, file system, clipboard.

#include <gtest/gtest.h>

#include "runtime/exceptions.h"
#include "runtime/executable.h"
#include "runtime/file_system.h"
#include "runtime/seam.h"
#include "support/platform.h"

namespace tw {
namespace {

TEST(Executable, TheFolderEndsAfterTheLastBackslash) {
  PortableExecutable exe("C:\\Tools\\Trailwick.exe");
  ScopedSeam<Executable> seam(exe);
  EXPECT_EQ(ExecutablePath(), "C:\\Tools\\Trailwick.exe");
  EXPECT_EQ(ExecutableFolder(), "C:\\Tools\\");
  PortableExecutable bare("Trailwick.exe");
  ScopedSeam<Executable> bareSeam(bare);
  EXPECT_EQ(ExecutableFolder(), "");
}

TEST(Executable, WithoutAnImplementationTheSeamRaises) {
  EXPECT_THROW(ExecutablePath(), EAssertionFailed);
}

class FileSystemTest : public test::PortablePlatformTest {};

TEST_F(FileSystemTest, CreatesOneFolderLevel) {
  EXPECT_TRUE(files.CreateFolder(ExeFolder() + "a"));
  EXPECT_TRUE(files.CreateFolder(ExeFolder() + "a")) << "an existing folder is fine";
  EXPECT_FALSE(files.CreateFolder(ExeFolder() + "b\\c"));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Host() / "a"));
}

TEST_F(FileSystemTest, WritesAndReplacesFilesByteForByte) {
  const std::string bytes("a\r\n\0\xff", 5);
  files.WriteFile(ExeFolder() + "f.bin", bytes);
  EXPECT_EQ(test::ReadFileBytes((folder.Host() / "f.bin").string()), bytes);
  files.WriteFile(ExeFolder() + "f.bin", "x");
  EXPECT_EQ(test::ReadFileBytes((folder.Host() / "f.bin").string()), "x");
}

TEST_F(FileSystemTest, AFileInAMissingFolderCannotBeCreated) {
  const std::string path = ExeFolder() + "missing\\f.txt";
  try {
    files.WriteFile(path, "x");
    FAIL() << "no error";
  } catch (const EFCreateError& error) {
    const std::string prefix = "Cannot create file \"" + path + "\". ";
    EXPECT_EQ(error.Message().substr(0, prefix.size()), prefix);
    EXPECT_GT(error.Message().size(), prefix.size());
  }
}

} // namespace
} // namespace tw
