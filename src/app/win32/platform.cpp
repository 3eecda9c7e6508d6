#include "app/win32/platform.h"

#include "runtime/seam.h"

namespace tw {

Win32Platform::Win32Platform() {
  Seam<RegistryApi>::Install(&registry_);
  Seam<Collation>::Install(&collation_);
  Seam<Executable>::Install(&executable_);
  Seam<FileSystem>::Install(&files_);
  Seam<CodePage>::Install(&codePage_);
  Seam<ProfileApi>::Install(&profile_);
  Seam<tw::Clipboard>::Install(&clipboard_);
  Seam<Shell>::Install(&shell_);
  Seam<Dialogs>::Install(&dialogs_);
  Seam<SystemInfo>::Install(&system_);
  Seam<SkinPlatform>::Install(&skinPlatform_);
  Seam<SkinManagerApi>::Install(&skinManager_);
}

} // namespace tw
