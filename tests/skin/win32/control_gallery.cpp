// The control gallery: one window with each control kind the skin engine paints, in its
// states, skinned with the shipped skin. `control_gallery.exe` shows it; with a file name it
// saves the skinned window as a BMP and ends (scripts/gallery turns that into a PNG).

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "runtime/seam.h"
#include "runtime/win32/application.h"
#include "skin/model/bmp.h"
#include "skin/model/embedded_skin.h"
#include "skin/model/skin_data.h"
#include "skin/win32/engine/gdi_bridge.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/engine/win32_skin_platform.h"
#include "skin/win32/engine/win_skin_form.h"
#include "skin/win32/members/create_skin_control.h"
#include "skin/win32/members/skin_members.h"
#include "support/win32/message_pump.h"

namespace {

using namespace tw;

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
           DWORD exStyle = 0) {
  HWND window = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               TRUE);
  return window;
}

struct Gallery {
  HWND main = nullptr;
  // Kinds the chooser for bare windows leaves alone get their members here.
  std::vector<std::pair<HWND, SkinFamily>> extra;
  HWND focus = nullptr; // shown focused
};

Gallery Build() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = "TControlGallery";
  RegisterClassA(&wc);
  Gallery g;
  g.main = CreateWindowExA(0, "TControlGallery", "Control gallery",
                           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 40, 40, 720,
                           590, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND m = g.main;
  // Push buttons: normal, default, disabled, two lines.
  Child(m, WC_BUTTONA, "Normal", WS_TABSTOP | BS_PUSHBUTTON, 12, 12, 100, 26);
  Child(m, WC_BUTTONA, "Default", WS_TABSTOP | BS_DEFPUSHBUTTON, 122, 12, 100, 26);
  Child(m, WC_BUTTONA, "Disabled", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 232, 12, 100, 26);
  Child(m, WC_BUTTONA, "Two||lines", WS_TABSTOP | BS_PUSHBUTTON, 342, 6, 100, 38);
  // Check boxes and radio buttons.
  HWND checked = Child(m, WC_BUTTONA, "Checked", BS_AUTOCHECKBOX, 12, 54, 110, 20);
  SendMessageA(checked, BM_SETCHECK, BST_CHECKED, 0);
  Child(m, WC_BUTTONA, "Unchecked", BS_AUTOCHECKBOX, 132, 54, 110, 20);
  HWND grey = Child(m, WC_BUTTONA, "Indeterminate", BS_AUTO3STATE, 252, 54, 110, 20);
  SendMessageA(grey, BM_SETCHECK, BST_INDETERMINATE, 0);
  HWND off = Child(m, WC_BUTTONA, "Disabled", BS_AUTOCHECKBOX | WS_DISABLED, 372, 54, 110, 20);
  SendMessageA(off, BM_SETCHECK, BST_CHECKED, 0);
  Child(m, WC_BUTTONA, "Text left", BS_AUTOCHECKBOX | BS_LEFTTEXT, 492, 54, 110, 20);
  HWND radio = Child(m, WC_BUTTONA, "Radio on", BS_AUTORADIOBUTTON, 12, 80, 110, 20);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  Child(m, WC_BUTTONA, "Radio off", BS_AUTORADIOBUTTON, 132, 80, 110, 20);
  Child(m, WC_BUTTONA, "Radio disabled", BS_AUTORADIOBUTTON | WS_DISABLED, 252, 80, 120, 20);
  // Combo boxes and an edit box.
  for (int i = 0; i < 2; ++i) {
    HWND combo = Child(m, WC_COMBOBOXA, "",
                       WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | (i == 1 ? WS_DISABLED : 0),
                       12 + i * 170, 112, 160, 200);
    for (const char* item : {"HTML File (*.html)", "Text File (*.txt)"})
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
  }
  Child(m, WC_EDITA, "An edit box", WS_TABSTOP | ES_AUTOHSCROLL, 352, 112, 160, 22,
        WS_EX_CLIENTEDGE);
  g.extra.push_back({Child(m, WC_BUTTONA, "Group box", BS_GROUPBOX, 522, 100, 180, 60),
                     SkinFamily::TSkinGroupBox});
  // Progress bars: empty, half, full, vertical.
  int x = 12;
  for (int position : {0, 50, 100}) {
    HWND bar = Child(m, PROGRESS_CLASSA, "", 0, x, 150, 150, 18);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    g.extra.push_back({bar, SkinFamily::TSkinProgress});
    x += 160;
  }
  HWND vertical = Child(m, PROGRESS_CLASSA, "", PBS_VERTICAL, 492, 170, 18, 120);
  SendMessageA(vertical, PBM_SETPOS, 60, 0);
  g.extra.push_back({vertical, SkinFamily::TSkinProgress});
  // A tab control, a list box and a report list with scroll bars.
  HWND tab = Child(m, WC_TABCONTROLA, "", WS_TABSTOP | WS_CLIPSIBLINGS, 12, 180, 470, 110);
  for (const char* caption : {"Microsoft", "Non Microsoft", "Third"}) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption);
    SendMessageA(tab, TCM_INSERTITEMA, 99, reinterpret_cast<LPARAM>(&item));
  }
  HWND list = Child(m, WC_LISTBOXA, "", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 12, 300,
                    220, 200, WS_EX_CLIENTEDGE);
  for (int i = 0; i < 60; ++i) {
    std::string row = "List row ";
    row += std::to_string(i);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
  g.extra.push_back({list, SkinFamily::TSkinScrollbar});
  HWND grid =
      Child(m, WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT, 244, 300, 300, 200, WS_EX_CLIENTEDGE);
  for (int c = 0; c < 2; ++c) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(c == 0 ? "Key" : "Value");
    column.cx = 220;
    SendMessageA(grid, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c),
                 reinterpret_cast<LPARAM>(&column));
  }
  for (int i = 0; i < 80; ++i) {
    const std::string text = "Row " + std::to_string(i);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(grid, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  g.extra.push_back({grid, SkinFamily::TSkinScrollbar});
  // Track bars: focused, disabled, vertical.
  HWND track = Child(m, TRACKBAR_CLASSA, "", WS_TABSTOP | TBS_NOTICKS, 556, 180, 150, 30);
  SendMessageA(track, TBM_SETPOS, TRUE, 30);
  g.focus = track;
  HWND still = Child(m, TRACKBAR_CLASSA, "", WS_DISABLED | TBS_NOTICKS, 556, 214, 150, 30);
  SendMessageA(still, TBM_SETPOS, TRUE, 70);
  HWND upright = Child(m, TRACKBAR_CLASSA, "", TBS_VERT | TBS_NOTICKS, 556, 252, 30, 130);
  SendMessageA(upright, TBM_SETPOS, TRUE, 40);
  // Up-down controls: beside their buddy edit, horizontal, disabled.
  HWND buddy = Child(m, WC_EDITA, "7", ES_NUMBER, 600, 256, 70, 22, WS_EX_CLIENTEDGE);
  HWND spin = Child(m, UPDOWN_CLASSA, "",
                    UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0);
  SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageA(spin, UDM_SETRANGE32, 0, 100);
  SendMessageA(spin, UDM_SETPOS32, 0, 7);
  Child(m, UPDOWN_CLASSA, "", UDS_HORZ, 600, 290, 40, 20);
  Child(m, UPDOWN_CLASSA, "", WS_DISABLED, 650, 286, 18, 28);
  // A size grip, and a status bar with two panels and its own grip.
  Child(m, "SCROLLBAR", "", SBS_SIZEGRIP, 690, 486, 16, 16);
  HWND status = Child(m, STATUSCLASSNAMEA, "", SBARS_SIZEGRIP, 0, 0, 0, 0);
  const int parts[] = {200, 400, -1};
  SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
  SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready"));
  SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Total Items : 80"));
  return g;
}

using test::Pump;

} // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                              ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&init);
  win::Application::Get().Initialize(GetModuleHandleA(nullptr));
  win::Win32SkinPlatform platform;
  win::TSkinManage manager;
  Seam<SkinPlatform>::Install(&platform);
  Seam<SkinManagerApi>::Install(&manager);
  {
    Gallery gallery = Build();
    TSkinData data;
    data.BeginReading();
    data.SetActive(true);
    data.ReadSkinStream(EmbeddedSkinStream());
    data.Loaded();
    manager.SetOwnerWindow(data, gallery.main);
    ShowWindow(gallery.main, SW_SHOW);
    SetForegroundWindow(gallery.main);
    for (int i = 0; i < 200 && manager.FormOf(gallery.main) == nullptr; ++i)
      Pump(20);
    Pump(300);
    std::vector<std::unique_ptr<TSkinControl>> members;
    if (TWinSkinForm* form = manager.FormOf(gallery.main)) {
      for (const auto& [window, member] : gallery.extra) {
        members.push_back(CreateSkinControl(member));
        members.back()->AttachHandle(window, data, *form);
      }
    }
    // Focus last: the skinning's start moves it.
    SetFocus(gallery.focus);
    Pump(500);
    if (argc > 1) {
      const Bitmap32 shot = [&] {
        RECT r;
        GetWindowRect(gallery.main, &r);
        win::WindowDc dc(gallery.main);
        return ReadBack(dc.Get(), r.right - r.left, r.bottom - r.top);
      }();
      const std::vector<std::uint8_t> bytes = WriteBmp24(shot);
      std::ofstream(argv[1], std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    } else {
      MSG msg;
      while (IsWindow(gallery.main) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
    members.clear();
    if (IsWindow(gallery.main))
      DestroyWindow(gallery.main);
  }
  Seam<SkinManagerApi>::Install(nullptr);
  Seam<SkinPlatform>::Install(nullptr);
  return 0;
}
