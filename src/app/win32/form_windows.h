#pragma once
// Main windows of the program: each TWKSForm realised as a top-level window. The first is the
// application's main window; further ones (a double-click on the logo) are owned by the window
// they were opened from and live until the program ends.

#include <memory>
#include <vector>

#include "app/form_host.h"
#include "app/win32/preview_menu.h"
#include "app/WKS_Main.h"
#include "runtime/win32/containers.h"

namespace tw {

class Win32Clipboard;

class Win32FormHost final : public FormHost {
public:
  explicit Win32FormHost(Win32Clipboard& clipboard) : clipboard_(clipboard) {}
  ~Win32FormHost() override;

  // Creates the main window: its form's start-up runs, errors go to the error box.
  TWKSForm& OpenMainForm();
  void ShowOwnedForm(TWKSForm& owner) override;

private:
  struct Entry {
    std::unique_ptr<TWKSForm> form;
    std::unique_ptr<win::FormWindow> window;
    std::unique_ptr<PreviewMenus> menus;
  };
  TWKSForm& Open(HWND owner);

  Win32Clipboard& clipboard_;
  std::vector<Entry> forms_;
};

} // namespace tw
