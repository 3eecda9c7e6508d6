#pragma once
// The real platform for the program: every seam's Win32 implementation, installed once at
// start and living until the program ends.

#include "runtime/win32/win32_collation.h"
#include "runtime/win32/win32_platform.h"
#include "registry/win32/win32_registry.h"
#include "runtime/win32/win32_system_info.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/win32_skin_platform.h"

namespace tw {

class Win32Platform {
public:
  // Installs the implementations into their seams.
  Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Win32Clipboard& WindowsClipboard() { return clipboard_; }
  win::TSkinManage& SkinManager() { return skinManager_; }

private:
  Win32Registry registry_;
  Win32Collation collation_;
  Win32Executable executable_;
  Win32FileSystem files_;
  Win32CodePage codePage_;
  Win32Profile profile_;
  Win32Clipboard clipboard_;
  Win32Shell shell_;
  Win32Dialogs dialogs_;
  Win32SystemInfo system_;
  win::Win32SkinPlatform skinPlatform_;
  win::TSkinManage skinManager_;
};

} // namespace tw
