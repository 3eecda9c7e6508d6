#pragma once
// The program's main form in a test's or timing program's own process under the Win32 skin
// engine: the engine's platform and manager installed while it lives.

#include <windows.h>

#include <memory>

#include "app/WKS_Main.h"
#include "runtime/seam.h"
#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "skin/model/embedded_skin.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/win32_skin_platform.h"

namespace tw::win {

class SkinnedMainForm {
public:
  SkinnedMainForm() : platformSeam_(platform_), managerSeam_(manager_) {
    Application::Get().Initialize(GetModuleHandleA(nullptr));
  }

  // The main window as the program creates it: hidden, owned by the manager, not yet skinned.
  HWND CreateMainWindow() {
    window_ = FormWindow::Create(form_, nullptr);
    manager_.SetOwnerWindow(form_.SkinData1, window_->Handle());
    return window_->Handle();
  }

  // Then as the program opens it: the form data read (which asks for skinning), shown, active.
  void ReadSkinAndShow() {
    form_.ReadFormData(EmbeddedSkinStream());
    window_->Show();
    SetForegroundWindow(window_->Handle());
  }

  Win32SkinPlatform platform_;
  TSkinManage manager_;
  ScopedSeam<SkinPlatform> platformSeam_;
  ScopedSeam<SkinManagerApi> managerSeam_;
  TWKSForm form_;
  std::unique_ptr<FormWindow> window_;
};

} // namespace tw::win
