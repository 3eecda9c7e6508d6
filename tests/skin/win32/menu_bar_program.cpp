// The menu-bar program: a window with a main menu (submenus, a nested popup, a disabled item, an
// item without a submenu, accelerators) skinned with the shipped skin, to try the skinned bar by
// hand and to take screenshots of it.
//   menu_bar_program.exe [--rtl] [--open N] [--quit-after SECONDS]
// --rtl gives the window the right-to-left extended styles; --open N opens bar item N through
// its accelerator (as Alt+letter does) once the window is skinned.

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "menu_bar_window.h"
#include "runtime/win32/application.h"
#include "skin/paint/menu_text.h"
#include "skin/win32/menus/win_skin_menu.h"

namespace {

using namespace tw;

constexpr UINT_PTR kQuitTimer = 1;

void CALLBACK Quit(HWND, UINT, UINT_PTR, DWORD) {
  EndMenu();
  PostQuitMessage(0);
}

} // namespace

int main(int argc, char** argv) {
  test::MenuLayout layout = test::MenuLayout::LeftToRight;
  int open = -1;
  int quitAfter = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rtl") == 0)
      layout = test::MenuLayout::RightToLeft;
    else if (std::strcmp(argv[i], "--open") == 0 && i + 1 < argc)
      open = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--quit-after") == 0 && i + 1 < argc)
      quitAfter = std::atoi(argv[++i]);
  }
  win::Application::Get().Initialize(GetModuleHandleW(nullptr));
  test::MenuBarWindow window(layout);
  if (quitAfter > 0)
    SetTimer(nullptr, kQuitTimer, static_cast<UINT>(quitAfter) * 1000, Quit);
  const TWinSkinForm* form = window.Form();
  if (open >= 0 && form != nullptr && form->MenuBar() != nullptr &&
      open < form->MenuBar()->Model().Count()) {
    const char16_t key = AcceleratorOf(form->MenuBar()->Model().Item(open).Caption());
    PostMessageW(window.Window(), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(key));
  }
  MSG msg;
  while (IsWindow(window.Window()) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
