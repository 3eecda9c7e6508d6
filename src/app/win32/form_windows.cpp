#include "app/win32/form_windows.h"

#include "runtime/win32/application.h"
#include "runtime/win32/win32_platform.h"
#include "skin/win32/engine/skin_manage.h"

namespace tw {
namespace {

// The form's stored skin archive, carried as a resource of the program.
std::span<const std::uint8_t> SkinStreamResource() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, "SKINSTREAM", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (found == nullptr)
    return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr)
    return {};
  return {static_cast<const std::uint8_t*>(bytes), SizeofResource(module, found)};
}

} // namespace

Win32FormHost::~Win32FormHost() {
  // Owned windows first, the main window last.
  while (!forms_.empty())
    forms_.pop_back();
}

TWKSForm& Win32FormHost::Open(TWKSForm* owner, std::shared_ptr<OfflineSet> evidence) {
  const HWND ownerWindow = owner != nullptr ? reinterpret_cast<HWND>(owner->Handle()) : nullptr;
  Entry entry;
  entry.form = std::make_unique<TWKSForm>();
  entry.window = win::FormWindow::Create(*entry.form, ownerWindow);
  entry.menus = std::make_unique<PreviewMenus>(*entry.form, entry.window->Handle());
  entry.drops = std::make_unique<FileDrops>(*entry.form, *entry.window);
  TWKSForm& form = *entry.form;
  win::FormWindow& window = *entry.window;
  forms_.push_back(std::move(entry));
  form.SetHandle(reinterpret_cast<WindowHandle>(window.Handle()));
  if (owner == nullptr) {
    win::Application::Get().SetMainWindow(window.Handle());
    clipboard_.SetOwner(form.Handle());
    form.UseEvidence(std::move(evidence));
  } else {
    form.OpenedFrom(*owner);
  }
  if (win::TSkinManage* manager = win::TSkinManage::Instance())
    manager->SetOwnerWindow(form.SkinData1, window.Handle());
  // As the window is created: its stored data is read, then its start-up runs; a failing step
  // shows its error and the window opens with the captions it has.
  win::Application::Get().Guard([&] { form.ReadFormData(SkinStreamResource()); });
  win::Application::Get().Guard([&] { form.FormCreate(form); });
  window.Show();
  if (owner == nullptr)
    win::Application::Get().Guard([&] { form.TellRecovery(); });
  return form;
}

TWKSForm& Win32FormHost::OpenMainForm(std::shared_ptr<OfflineSet> evidence) {
  return Open(nullptr, std::move(evidence));
}

void Win32FormHost::ShowOwnedForm(TWKSForm& owner) {
  Open(&owner, nullptr);
}

} // namespace tw
