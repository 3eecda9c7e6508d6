// The skinned frame of the main window in this process under real input: dragged by its
// caption, drawn inactive, a close button that respects a disabled close command, the private
// messages exchanged with a real window, and skinning going off while the system menu runs its
// loop (opened from the icon and by the keyboard).

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/WKS_Main.h"
#include "runtime/win32/containers.h"
#include "skin/paint/form_frame.h"
#include "skin/paint/form_layout.h"
#include "skin/win32/engine/skin_control.h"
#include "skin/win32/engine/skin_manage.h"
#include "skin/win32/engine/win_skin_form.h"
#include "skin/win32/members/skin_members.h"
#include "skin_test_support.h"
#include "skinned_form_test.h"
#include "skinned_input.h"
#include "support/win32/screen_probe.h"

namespace tw::win {
namespace {

using test::Borders;
using test::BordersOf;
using test::Differing;
using test::kCaptionButtonStyles;
using test::PumpUntil;
using test::Settle;
using test::Shown;
using test::Skinned;

// What a test's own subclass of the main window saw: system commands (swallowed, so that the
// window stays), the caption-action message, the visibility question and its answer.
struct Seen {
  std::vector<UINT> commands;
  std::vector<WPARAM> actions;
  std::vector<std::pair<WPARAM, LPARAM>> asked;
  LRESULT visibility = 0;
};

LRESULT CALLBACK Watch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                       DWORD_PTR data) {
  auto* seen = reinterpret_cast<Seen*>(data);
  if (msg == WM_SYSCOMMAND && ((wParam & 0xFFF0) == SC_CLOSE || (wParam & 0xFFF0) == SC_MOVE)) {
    seen->commands.push_back(static_cast<UINT>(wParam & 0xFFF0));
    if ((wParam & 0xFFF0) == SC_CLOSE)
      return 0;
  }
  if (msg == kMsgCaptionAction)
    seen->actions.push_back(wParam);
  if (msg == kMsgCaptionVisibility) {
    seen->asked.emplace_back(wParam, lParam);
    return seen->visibility;
  }
  return DefSubclassProc(window, msg, wParam, lParam);
}

class SkinnedFrame : public SkinnedFormTest {
protected:
  ~SkinnedFrame() override {
    if (watched_ != nullptr && IsWindow(watched_))
      RemoveWindowSubclass(watched_, Watch, 1);
  }

  HWND Open() {
    CreateMainWindow();
    ReadSkinAndShow();
    HWND main = window_->Handle();
    EXPECT_TRUE(PumpUntil([&] { return Skinned(main); }, 10000)) << "not skinned";
    EXPECT_TRUE(PumpUntil([&] {
      const TWinSkinForm* form = manager_.FormOf(main);
      return form != nullptr && form->Stage() == kStageSkinned &&
             BordersOf(main) == Borders{4, 30, 4, 5};
    }));
    Settle();
    return main;
  }
  void WatchMain() {
    watched_ = window_->Handle();
    SetWindowSubclass(watched_, Watch, 1, reinterpret_cast<DWORD_PTR>(&seen));
  }
  // A click at a point of the main window (window coordinates), from another thread: a press
  // on the caption starts the platform's move loop, which waits for the release.
  void ClickAt(int x, int y) {
    RECT r;
    GetWindowRect(window_->Handle(), &r);
    test::InputWhilePumping([&] {
      SetCursorPos(r.left + x, r.top + y);
      mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
      Sleep(80);
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      Sleep(60);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
      Sleep(80);
      SetCursorPos(r.left + x, r.bottom + 40);
      mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
      Sleep(80);
    });
  }
  const SkinModel& Skin() { return form_.SkinData1.Model(); }

  Seen seen;
  HWND watched_ = nullptr;
};

TEST_F(SkinnedFrame, DraggingTheCaptionMovesTheWindowWithItsFrame) {
  HWND main = Open();
  RECT before;
  GetWindowRect(main, &before);
  const POINT grip{(before.left + before.right) / 2, before.top + 15};
  test::InputWhilePumping([&] {
    SetCursorPos(grip.x, grip.y);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    Sleep(150);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(150);
    for (int step = 1; step <= 5; ++step) {
      SetCursorPos(grip.x + 12 * step, grip.y + 8 * step);
      mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
      Sleep(80);
    }
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Sleep(150);
  });
  RECT after;
  GetWindowRect(main, &after);
  EXPECT_EQ(after.left - before.left, 60);
  EXPECT_EQ(after.top - before.top, 40);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_TRUE(Skinned(main));
  EXPECT_EQ(BordersOf(main), (Borders{4, 30, 4, 5}));
}

TEST_F(SkinnedFrame, AnInactiveWindowShowsBorderFrameTwoTheInactiveTitleAndButtonsFrameFour) {
  HWND main = Open();
  const TWinSkinForm* form = manager_.FormOf(main);
  ASSERT_NE(form, nullptr);
  RECT r;
  GetWindowRect(main, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const std::vector<TDataSkinSysButton> buttons = FormCaptionButtons(Skin(), form->WindowIcon());
  const auto composed = [&](Activity activity) {
    FrameLayout layout = form->Layout();
    for (CaptionButtonPlacement& placement : layout.buttons)
      placement.state = NcState::Normal;
    FrameImageInput input;
    input.skin = &Skin();
    input.width = width;
    input.height = height;
    input.geometry = form->Geometry();
    input.facts.border = BorderStyle::Single;
    input.facts.icons.Include(BorderIcon::Minimize);
    input.facts.icons.Include(BorderIcon::SystemMenu);
    input.facts.activity = activity;
    input.layout = &layout;
    input.buttons = buttons;
    input.icon = &form->WindowIcon();
    return FlattenFrame(ComposeFrame(input, nullptr), width, height, kMagenta);
  };
  const Bitmap32 active = composed(Activity::Active);
  const Bitmap32 inactive = composed(Activity::Inactive);
  // Borders, the caption right of the title, and the caption buttons.
  const std::vector<std::pair<Rect, const char*>> areas{
      {{0, 30, 4, height}, "left border"},
      {{width - 4, 30, width, height}, "right border"},
      {{4, height - 5, width - 4, height}, "bottom border"},
      {{width / 2, 0, width - 80, 30}, "caption"},
      {{width - 73, 5, width - 9, 25}, "caption buttons"}};
  const auto titlePixels = [&](const Bitmap32& shown, SkinColour slot) {
    const Pixel colour = ColourToPixel(Skin().Colour(slot));
    int count = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 28; x < width / 2; ++x)
        count += shown.At(x, y) == colour ? 1 : 0;
    return count;
  };

  const Bitmap32 shownActive = Shown(main);
  for (const auto& [area, what] : areas) {
    EXPECT_EQ(Differing(shownActive, active, area), 0) << what << " active";
    EXPECT_GT(Differing(inactive, active, area), 0) << what << " looks the same inactive";
  }
  EXPECT_GT(titlePixels(shownActive, SkinColour::TitleTextActive), 20);
  EXPECT_EQ(titlePixels(shownActive, SkinColour::TitleTextNoActive), 0);

  // Another window takes the activation.
  HWND other = CreateWindowExA(0, RegisterContainerClass("TOtherWindow", ClassIcon::kProgram),
                               "Other", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ShowWindow(other, SW_SHOWNOACTIVATE);
  SetForegroundWindow(other);
  ASSERT_TRUE(PumpUntil([&] { return form->CurrentActivity() == Activity::Inactive; }));
  Settle();
  const Bitmap32 shownInactive = Shown(main);
  for (const auto& [area, what] : areas)
    EXPECT_EQ(Differing(shownInactive, inactive, area), 0) << what << " inactive";
  EXPECT_GT(titlePixels(shownInactive, SkinColour::TitleTextNoActive), 20);
  EXPECT_EQ(titlePixels(shownInactive, SkinColour::TitleTextActive), 0);

  // Active again, the active frame again.
  SetForegroundWindow(main);
  ASSERT_TRUE(PumpUntil([&] { return form->CurrentActivity() == Activity::Active; }));
  Settle();
  const Bitmap32 again = Shown(main);
  for (const auto& [area, what] : areas)
    EXPECT_EQ(Differing(again, active, area), 0) << what << " active again";
  DestroyWindow(other);
}

TEST_F(SkinnedFrame, TheCloseButtonDoesNothingWhileTheCloseCommandIsDisabled) {
  HWND main = Open();
  WatchMain();
  RECT r;
  GetWindowRect(main, &r);
  const int closeX = r.right - r.left - 25 + 8;
  HMENU system = GetSystemMenu(main, FALSE);
  ASSERT_NE(system, nullptr);
  EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  ClickAt(closeX, 5 + 8);
  Settle(200);
  EXPECT_TRUE(seen.commands.empty());
  EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
  ClickAt(closeX, 5 + 8);
  ASSERT_TRUE(PumpUntil([&] { return !seen.commands.empty(); }, 2000));
  EXPECT_EQ(seen.commands, std::vector<UINT>{SC_CLOSE});
}

// The shipped skin with two caption buttons of its own: Action 50, which no built-in command
// handles, at x 200, and Action 51 at x 230, shown only when the window says so (Visibility
// 1500).
std::string SkinWithOwnButtons(const TSkinData& data) {
  std::vector<skinpack::ArchiveEntry> entries = test::ArchiveEntries(data);
  for (skinpack::ArchiveEntry& entry : entries)
    if (entry.name.ends_with(".ini")) {
      const std::string more = "\r\n[Button6]\r\nAction=50\r\nAlign=0\r\nXCoord=200\r\nYCoord=5"
                               "\r\nVisibility=0\r\nframe=4\r\nButtonImage=close.bmp\r\n"
                               "[Button7]\r\nAction=51\r\nAlign=0\r\nXCoord=230\r\nYCoord=5"
                               "\r\nVisibility=1500\r\nframe=4\r\nButtonImage=close.bmp\r\n";
      entry.bytes.insert(entry.bytes.end(), more.begin(), more.end());
    }
  return test::WriteTempFile("trailwick-own-buttons.skn", test::SkinFileOf(entries));
}

TEST_F(SkinnedFrame, ButtonsOfTheSkinsOwnAskTheWindowAndPostTheirAction) {
  HWND main = Open();
  WatchMain();
  const std::string path = SkinWithOwnButtons(form_.SkinData1);
  ASSERT_FALSE(path.empty());
  int changed = 0;
  form_.SkinData1.OnSkinChanged = [&](TSkinData&) { ++changed; };
  form_.SkinData1.SetSkinFile(path);
  ASSERT_TRUE(PumpUntil([&] { return changed == 1; }));
  Settle();
  // 13589 carries the code and the Action; the window's 0 keeps the button hidden.
  ASSERT_FALSE(seen.asked.empty());
  EXPECT_EQ(seen.asked.back(), (std::pair<WPARAM, LPARAM>{1500, 51}));
  ClickAt(230 + 6, 5 + 6);
  ClickAt(200 + 6, 5 + 6);
  ASSERT_TRUE(PumpUntil([&] { return !seen.actions.empty(); }, 2000));
  EXPECT_EQ(seen.actions, std::vector<WPARAM>{50});
  // Answered 1, it shows after the next layout (a new title) and posts 13588 with its Action.
  seen.visibility = 1;
  SetWindowTextA(main, "Trailwick ( XQV )");
  Settle();
  ClickAt(230 + 6, 5 + 6);
  ASSERT_TRUE(PumpUntil([&] { return seen.actions.size() == 2; }, 2000));
  EXPECT_EQ(seen.actions, (std::vector<WPARAM>{50, 51}));
  DeleteFileA(path.c_str());
}

TEST_F(SkinnedFrame, TheFrameAndItsControlsAnswerThePrivateMessages) {
  HWND main = Open();
  HWND save = window_->NativeOf(form_.Save1)->Handle();
  HWND label = window_->NativeOf(form_.Label1)->Handle();
  // 13603: 1 from skinned windows only.
  EXPECT_EQ(SendMessageA(main, kMsgIsSkinned, 0, 0), kSkinnedAnswer);
  EXPECT_EQ(SendMessageA(save, kMsgIsSkinned, 0, 0), kSkinnedAnswer);
  EXPECT_NE(SendMessageA(label, kMsgIsSkinned, 0, 0), kSkinnedAnswer);
  // 13570 paints the frame again over whatever covered it.
  const Bitmap32 before = Shown(main);
  {
    const WindowDc dc(main);
    PatBlt(dc.Get(), 0, 0, 4, 300, BLACKNESS);
    PatBlt(dc.Get(), 100, 0, 200, 30, BLACKNESS);
  }
  ASSERT_NE(Shown(main), before);
  SendMessageA(main, kMsgRepaintFrame, 0, 0);
  const Bitmap32 after = Shown(main);
  EXPECT_EQ(Differing(after, before, {0, 0, 4, 300}), 0);
  EXPECT_EQ(Differing(after, before, {100, 0, 300, 30}), 0);
  // 13571 once more starts nothing anew: the same frame, the same members.
  const std::size_t members = manager_.FormOf(main)->Controls().size();
  SendMessageA(main, kMsgStartSkinning, 0, kStartSkinningParam);
  Settle();
  EXPECT_EQ(BordersOf(main), (Borders{4, 30, 4, 5}));
  EXPECT_EQ(manager_.FormOf(main)->Controls().size(), members);
  // 13574 switches one control's skinning off (its own painting back) and on again.
  const Bitmap32 skinned = Shown(save);
  SendMessageA(save, kMsgControlSkinning, 0, 0);
  RedrawWindow(save, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  Settle(150);
  EXPECT_NE(Shown(save), skinned);
  SendMessageA(save, kMsgControlSkinning, 1, 0);
  Settle(150);
  EXPECT_EQ(Shown(save), skinned);
}

// Skinning switched off from inside the menu loop of the system menu, as a timer of the
// application would; once it is off (the form freed, and written over: scribbled_delete.cpp),
// the menu's close command is chosen with its key.
struct SwitchOffInMenu {
  TSkinData* data = nullptr;
  TSkinManage* manager = nullptr;
  int step = 0;
  bool popupSeen = false;
};
SwitchOffInMenu* switching = nullptr;

void CALLBACK SwitchOffStep(HWND, UINT, UINT_PTR, DWORD) {
  SwitchOffInMenu& s = *switching;
  if (s.step == 0 && test::ShownPopup() != nullptr) {
    s.popupSeen = true;
    s.data->SetActive(false);
    s.step = 1;
  } else if (s.step == 1 && s.manager->SkinnedWindows().empty()) {
    test::KeyEvent('C', 0);
    test::KeyEvent('C', KEYEVENTF_KEYUP);
    s.step = 2;
  }
}

class SkinnedSystemMenu : public SkinnedFrame {
protected:
  // Opens the system menu as `open` does; skinning goes off while it shows; its close command
  // is chosen. Then the window works as an unskinned one and can be skinned again.
  void SwitchOffWhileOpen(const std::function<void()>& open) {
    HWND main = window_->Handle();
    WatchMain();
    SwitchOffInMenu state{&form_.SkinData1, &manager_};
    switching = &state;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, SwitchOffStep);
    open();
    PumpUntil([&] { return state.step == 2 && test::ShownPopup() == nullptr; }, 10000);
    KillTimer(nullptr, timer);
    switching = nullptr;
    Settle();
    EXPECT_TRUE(state.popupSeen);
    EXPECT_EQ(state.step, 2);
    // The command chosen in the menu reached the window.
    EXPECT_EQ(seen.commands, std::vector<UINT>{SC_CLOSE});
    EXPECT_FALSE(Skinned(main));
    EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & kCaptionButtonStyles, WS_SYSMENU | WS_MINIMIZEBOX);
    if (IsIconic(main)) {
      ShowWindow(main, SW_RESTORE);
      EXPECT_TRUE(PumpUntil([&] { return IsIconic(main) == FALSE; }));
    }
    EXPECT_NE(BordersOf(main), (Borders{4, 30, 4, 5}));
    // The controls work on without their members.
    int clicks = 0;
    form_.Button20.OnClick = [&](TControl&) { ++clicks; };
    SendMessageA(window_->NativeOf(form_.Button20)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    form_.SkinData1.SetActive(true);
    EXPECT_TRUE(PumpUntil([&] { return Skinned(main); }));
    EXPECT_TRUE(PumpUntil([&] { return BordersOf(main) == Borders{4, 30, 4, 5}; }));
  }
};

TEST_F(SkinnedSystemMenu, SkinningGoingOffWhileTheIconsSystemMenuIsOpenLeavesAWorkingWindow) {
  Open();
  SwitchOffWhileOpen([&] { ClickAt(8 + 8, 7 + 8); });
}

TEST_F(SkinnedSystemMenu, SkinningGoingOffWhileTheKeyboardsSystemMenuIsOpenLeavesAWorkingWindow) {
  HWND main = Open();
  // Minimized, the window has its system-menu style back, and Alt+Space opens that menu.
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return IsIconic(main) != FALSE; }));
  SetForegroundWindow(main);
  SetActiveWindow(main);
  Settle();
  ASSERT_NE(GetWindowLongA(main, GWL_STYLE) & WS_SYSMENU, 0);
  SwitchOffWhileOpen([&] {
    test::KeyEvent(VK_MENU, 0);
    test::KeyEvent(VK_SPACE, 0);
    test::KeyEvent(VK_SPACE, KEYEVENTF_KEYUP);
    test::KeyEvent(VK_MENU, KEYEVENTF_KEYUP);
  });
}

} // namespace
} // namespace tw::win
