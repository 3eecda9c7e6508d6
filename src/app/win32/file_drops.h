#pragma once
// Files dropped onto a form's window: the window accepts them (DragAcceptFiles), and each
// WM_DROPFILES hands the files' names (DragQueryFileA) to the form, which decides what they
// become. An error of the form's goes to the application's error box.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/WKS_Main.h"
#include "runtime/win32/native_control.h"

namespace tw {

class FileDrops {
public:
  FileDrops(TWKSForm& form, win::NativeControl& window);
  ~FileDrops();
  FileDrops(const FileDrops&) = delete;
  FileDrops& operator=(const FileDrops&) = delete;

private:
  TWKSForm& form_;
  win::NativeControl& window_;
};

// The names a drop carries, in its order.
std::vector<std::string> DroppedFileNames(HDROP drop);

} // namespace tw
