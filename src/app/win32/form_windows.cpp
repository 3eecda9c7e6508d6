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

TWKSForm& Win32FormHost::Open(HWND owner) {
  Entry entry;
  entry.form = std::make_unique<TWKSForm>();
  entry.window = win::FormWindow::Create(*entry.form, owner);
  entry.menus = std::make_unique<PreviewMenus>(*entry.form, entry.window->Handle());
  TWKSForm& form = *entry.form;
  win::FormWindow& window = *entry.window;
  forms_.push_back(std::move(entry));
  form.SetHandle(reinterpret_cast<WindowHandle>(window.Handle()));
  if (owner == nullptr) {
    win::Application::Get().SetMainWindow(window.Handle());
    clipboard_.SetOwner(form.Handle());
  }
  if (win::TSkinManage* manager = win::TSkinManage::Instance())
    manager->SetOwnerWindow(form.SkinData1, window.Handle());
  // As the window is created: its stored data is read, then its start-up runs; a failing step
  // shows its error and the window opens with the captions it has.
  win::Application::Get().Guard([&] { form.ReadFormData(SkinStreamResource()); });
  win::Application::Get().Guard([&] { form.FormCreate(form); });
  window.Show();
  return form;
}

TWKSForm& Win32FormHost::OpenMainForm() {
  return Open(nullptr);
}

void Win32FormHost::ShowOwnedForm(TWKSForm& owner) {
  Open(reinterpret_cast<HWND>(owner.Handle()));
}

} // namespace tw
