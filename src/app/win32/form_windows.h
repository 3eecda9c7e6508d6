#pragma once
// Main windows of the program: each TWKSForm realised as a top-level window. The first is the
// application's main window; further ones (a double-click on the logo) are owned by the window
// they were opened from and live until the program ends.

#include <memory>
#include <vector>

#include "app/form_host.h"
#include "app/win32/file_drops.h"
#include "app/win32/preview_menu.h"
#include "app/WKS_Main.h"
#include "runtime/win32/containers.h"

namespace tw {

class Win32Clipboard;

class Win32FormHost final : public FormHost {
public:
  explicit Win32FormHost(Win32Clipboard& clipboard) : clipboard_(clipboard) {}
  ~Win32FormHost() override;

  // Creates the main window over the evidence given (none: the running system's registry): its
  // form's start-up runs, errors go to the error box; once it shows, the hives' recovery is told.
  TWKSForm& OpenMainForm(std::shared_ptr<OfflineSet> evidence);
  void ShowOwnedForm(TWKSForm& owner) override;

private:
  struct Entry {
    std::unique_ptr<TWKSForm> form;
    std::unique_ptr<win::FormWindow> window;
    std::unique_ptr<PreviewMenus> menus;
    std::unique_ptr<FileDrops> drops;
  };
  TWKSForm& Open(TWKSForm* owner, std::shared_ptr<OfflineSet> evidence);

  Win32Clipboard& clipboard_;
  std::vector<Entry> forms_;
};

} // namespace tw
