// Skinned menu-bar figures under Wine (run by hand, not a test), warm, in this process:
//   one whole menu-bar paint (the bar composed from the skin and its five items, blitted into
//   the window's frame);
//   one single-item repaint (an item hovered: drawn over the cached empty bar, blitted);
//   one whole non-client paint of the window with its bar (message 13570), for comparison.
// Run: export WINEPREFIX=... DISPLAY=...; wine64 build/win64/bench/menu_bar_timing.exe [N]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "menu_bar_window.h"
#include "runtime/win32/application.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/menus/win_skin_menu.h"
#include "timing.h"

namespace {

using tw::bench::Report;
using tw::bench::TimeOnce;

void Time(const char* what, int runs, const std::function<void()>& action) {
  action(); // warm
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i)
    samples.push_back(TimeOnce(action));
  Report(what, std::move(samples), 36);
}

} // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  tw::win::Application::Get().Initialize(GetModuleHandleW(nullptr));
  tw::test::MenuBarWindow window(tw::test::MenuLayout::LeftToRight);
  tw::TWinSkinForm* form = window.Form();
  if (form == nullptr || form->MenuBar() == nullptr) {
    std::printf("the window was not skinned with a menu bar\n");
    return 1;
  }
  tw::win::WinSkinMenuBar& bar = *form->MenuBar();
  HWND handle = window.Window();
  Time("menu bar paint", runs, [&] {
    tw::win::WindowDc dc(handle);
    bar.Paint(dc.Get());
  });
  RECT w;
  GetWindowRect(handle, &w);
  const tw::Rect at = bar.Model().Item(tw::test::kEditItem).rect;
  tw::TNCObject* edit = bar.ItemAtScreen({w.left + at.left + 2, w.top + at.top + 2});
  if (edit == nullptr)
    return 1;
  Time("menu item hover repaint", runs, [&] {
    edit->state = edit->state == tw::NcState::Hover ? tw::NcState::Normal : tw::NcState::Hover;
    bar.Repaint(*edit);
  });
  Time("frame paint with the bar (13570)", runs,
       [&] { SendMessageW(handle, tw::kMsgRepaintFrame, 0, 0); });
  return 0;
}
