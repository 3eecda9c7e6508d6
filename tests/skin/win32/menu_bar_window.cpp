#include "menu_bar_window.h"

#include "skin/model/embedded_skin.h"
#include "skin/win32/engine/skin_messages.h"

namespace tw::test {

namespace {

std::vector<UINT> commands;

LRESULT CALLBACK MenuWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && lParam == 0) {
    commands.push_back(LOWORD(wParam));
    if (LOWORD(wParam) == kExitCommand)
      DestroyWindow(window);
    return 0;
  }
  if (msg == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_WINDOW));
    return 1;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

HMENU Popup(std::initializer_list<std::pair<UINT, const wchar_t*>> items) {
  HMENU menu = CreatePopupMenu();
  for (const auto& [id, text] : items)
    AppendMenuW(menu, text == nullptr ? MF_SEPARATOR : MF_STRING, id, text);
  return menu;
}

HMENU BuildMenu() {
  HMENU recent = Popup({{121, L"trace-1.txt"}, {122, L"trace-2.html"}});
  HMENU file = Popup({{kNewCommand, L"&New\tCtrl+N"}, {102, L"&Open...\tCtrl+O"}, {0, nullptr}});
  AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"&Recent");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, kExitCommand, L"E&xit");
  HMENU edit = Popup({{111, L"&Copy\tCtrl+C"}, {112, L"&Paste\tCtrl+V"}, {113, L"Select &All"}});
  EnableMenuItem(edit, 112, MF_BYCOMMAND | MF_GRAYED);
  HMENU view = Popup({{kViewCommand, L"&Status Bar"}});
  HMENU help = Popup({{131, L"&Contents\tF1"}, {132, L"&About"}});
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
  AppendMenuW(bar, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(view), L"&View");
  AppendMenuW(bar, MF_STRING, kRefreshCommand, L"&Refresh");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  return bar;
}

bool Skinned(HWND window) {
  return SendMessageW(window, kMsgIsSkinned, 0, 0) == kSkinnedAnswer;
}

} // namespace

MenuBarWindow::MenuBarWindow(MenuLayout layout, int x, int y)
    : platformSeam_(platform_), managerSeam_(manager_) {
  commands.clear();
  WNDCLASSW wc{};
  wc.lpfnWndProc = MenuWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TMenuBarWindow";
  RegisterClassW(&wc);
  menu_ = BuildMenu();
  const DWORD exStyle =
      layout == MenuLayout::RightToLeft ? WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR : 0;
  window_ =
      CreateWindowExW(exStyle, wc.lpszClassName,
                      layout == MenuLayout::RightToLeft ? L"Menu bar (right to left)" : L"Menu bar",
                      WS_OVERLAPPEDWINDOW, x, y, 520, 320, nullptr, menu_, wc.hInstance, nullptr);
  // The component skins this window only, as a form's own component does: switching it off and
  // on again reaches the window though it is no form of the runtime.
  data_.SkinFormtype = TSkinFormType::sfOnlyThisForm;
  manager_.SetOwnerWindow(data_, window_);
  data_.BeginReading();
  data_.SetActive(true);
  data_.ReadSkinStream(EmbeddedSkinStream());
  data_.Loaded();
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  PumpUntil([this] {
    const TWinSkinForm* form = Form();
    return Skinned(window_) && form != nullptr && form->Stage() == kStageSkinned;
  });
  Pump(200);
}

MenuBarWindow::~MenuBarWindow() {
  if (IsWindow(window_))
    DestroyWindow(window_);
  Pump(50);
}

const std::vector<UINT>& MenuBarWindow::Commands() const {
  return commands;
}

void MenuBarWindow::ClearCommands() {
  commands.clear();
}

} // namespace tw::test
