#include "skin/win32/engine/hint_window.h"

#include <commctrl.h>

namespace tw::win {

HintWindow::~HintWindow() {
  if (tip_ != nullptr && IsWindow(tip_))
    DestroyWindow(tip_);
}

void HintWindow::Show(const std::string& text, int x, int y) {
  if (tip_ == nullptr) {
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, owner_, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    if (tip_ == nullptr)
      return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner_;
    tool.lpszText = const_cast<char*>("");
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  TOOLINFOA tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = owner_;
  tool.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageA(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
  SendMessageA(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  shown_ = true;
}

void HintWindow::Hide() {
  if (!shown_ || tip_ == nullptr)
    return;
  TOOLINFOA tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = owner_;
  SendMessageA(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  shown_ = false;
}

} // namespace tw::win
