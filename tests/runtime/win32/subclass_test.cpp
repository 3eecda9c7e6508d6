// Our chain of window subclasses on real windows: the order of the procedures, coming off in any
// order (also while a message runs through them), messages sent again from inside the chain, the
// window's character set, another thread's window, the window's end, and comctl32's chain on the
// same window.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "runtime/win32/subclass.h"

namespace tw::win {
namespace {

constexpr UINT kChainProbe = WM_USER + 91;
constexpr UINT kChainProbeAgain = WM_USER + 92;

std::string chainTrail;

LRESULT CALLBACK OwnProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kChainProbe || msg == kChainProbeAgain) {
    chainTrail += msg == kChainProbe ? "own;" : "own2;";
    return 7;
  }
  if (msg == WM_NCDESTROY)
    chainTrail += "own-end;";
  return DefWindowProcA(window, msg, wParam, lParam);
}

// Writes its id to the chainTrail and passes the message on; data 1 makes it answer by itself.
LRESULT CALLBACK Named(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                       DWORD_PTR data) {
  if (msg == kChainProbe || msg == WM_NCDESTROY) {
    chainTrail += std::string(1, static_cast<char>(id)) + ";";
    if (data == 1)
      return 1;
  }
  return DefSubclass(window, msg, wParam, lParam);
}

// Takes itself and the entry beneath it ('b') off while the message runs through it.
LRESULT CALLBACK Leaving(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                         DWORD_PTR /*data*/) {
  if (msg == kChainProbe) {
    chainTrail += "leaving;";
    RemoveSubclass(window, Leaving, id);
    RemoveSubclass(window, Named, 'b');
  }
  return DefSubclass(window, msg, wParam, lParam);
}

// Sends a second message to its own window before passing the first on.
LRESULT CALLBACK Resending(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
  if (msg == kChainProbe) {
    chainTrail += "resend;";
    SendMessageA(window, kChainProbeAgain, 0, 0);
  } else if (msg == kChainProbeAgain) {
    chainTrail += "again;";
  }
  return DefSubclass(window, msg, wParam, lParam);
}

LRESULT CALLBACK Comctl(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (msg == kChainProbe)
    chainTrail += "comctl;";
  return DefSubclassProc(window, msg, wParam, lParam);
}

class SubclassTest : public ::testing::Test {
protected:
  void SetUp() override {
    static const ATOM registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = OwnProcedure;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "TwSubclassProbe";
      return RegisterClassA(&wc);
    }();
    ASSERT_NE(registered, 0);
    window = CreateWindowExA(0, "TwSubclassProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    chainTrail.clear();
  }
  void TearDown() override {
    if (IsWindow(window))
      DestroyWindow(window);
  }
  std::string Probe() {
    chainTrail.clear();
    SendMessageA(window, kChainProbe, 0, 0);
    return chainTrail;
  }
  HWND window = nullptr;
};

TEST_F(SubclassTest, NewestFirstDownToTheWindowsOwnProcedure) {
  ASSERT_TRUE(SetSubclass(window, Named, 'a', 0));
  ASSERT_TRUE(SetSubclass(window, Named, 'b', 0));
  ASSERT_TRUE(SetSubclass(window, Named, 'c', 0));
  EXPECT_EQ(SendMessageA(window, kChainProbe, 0, 0), 7);
  EXPECT_EQ(chainTrail, "c;b;a;own;");
  // Called outside the chain's handling of a message: straight to the window's own procedure.
  chainTrail.clear();
  EXPECT_EQ(DefSubclass(window, kChainProbe, 0, 0), 7);
  EXPECT_EQ(chainTrail, "own;");
  // The same procedure and id again changes its data in place: 'b' now answers by itself.
  ASSERT_TRUE(SetSubclass(window, Named, 'b', 1));
  EXPECT_EQ(Probe(), "c;b;");
  DWORD_PTR data = 0;
  EXPECT_TRUE(GetSubclassData(window, Named, 'b', &data));
  EXPECT_EQ(data, 1u);
  EXPECT_FALSE(GetSubclassData(window, Named, 'z', &data));
}

TEST_F(SubclassTest, EntriesComeOffInAnyOrderAlsoWhileAMessageRuns) {
  for (const UINT_PTR id : {'a', 'b', 'c'})
    SetSubclass(window, Named, id, 0);
  EXPECT_TRUE(RemoveSubclass(window, Named, 'b'));
  EXPECT_FALSE(RemoveSubclass(window, Named, 'b'));
  EXPECT_EQ(Probe(), "c;a;own;");
  SetSubclass(window, Named, 'b', 0);
  SetSubclass(window, Leaving, 1, 0);
  // Order now: leaving, b, c, a. The message goes on past what came off during it.
  EXPECT_EQ(Probe(), "leaving;c;a;own;");
  EXPECT_EQ(Probe(), "c;a;own;");
  RemoveSubclass(window, Named, 'a');
  RemoveSubclass(window, Named, 'c');
  EXPECT_EQ(Probe(), "own;");
}

TEST_F(SubclassTest, AMessageSentFromInsideTheChainRunsTheWholeChain) {
  SetSubclass(window, Named, 'a', 0);
  SetSubclass(window, Resending, 2, 0);
  SetSubclass(window, Named, 'c', 0);
  // The outer message resumes beneath the resending entry after the inner one has run.
  EXPECT_EQ(Probe(), "c;resend;again;own2;a;own;");
}

TEST_F(SubclassTest, TheWindowKeepsItsCharacterSet) {
  SetSubclass(window, Named, 'a', 0);
  EXPECT_FALSE(IsWindowUnicode(window));
  const char text[] = "Caf\xe9 \x80";
  SetWindowTextA(window, text);
  char back[32] = {};
  GetWindowTextA(window, back, sizeof(back));
  EXPECT_STREQ(back, text);

  HWND wide = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(SetSubclass(wide, Named, 'w', 0));
  EXPECT_TRUE(IsWindowUnicode(wide));
  SetWindowTextW(wide, L"\x0416\x20ac");
  wchar_t wideBack[8] = {};
  GetWindowTextW(wide, wideBack, 8);
  EXPECT_STREQ(wideBack, L"\x0416\x20ac");
  DestroyWindow(wide);
}

TEST_F(SubclassTest, AnotherThreadsWindowIsRefused) {
  HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HWND foreign = nullptr;
  std::thread other([&] {
    foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetEvent(made);
    WaitForSingleObject(done, 10000);
    DestroyWindow(foreign);
  });
  WaitForSingleObject(made, 10000);
  ASSERT_TRUE(IsWindow(foreign));
  EXPECT_FALSE(SetSubclass(foreign, Named, 'a', 0));
  EXPECT_FALSE(GetSubclassData(foreign, Named, 'a', nullptr));
  SetEvent(done);
  other.join();
  EXPECT_FALSE(SetSubclass(nullptr, Named, 'a', 0));
  CloseHandle(made);
  CloseHandle(done);
}

TEST_F(SubclassTest, TheWindowsEndReachesEveryEntryAndClearsTheChain) {
  SetSubclass(window, Named, 'a', 0);
  SetSubclass(window, Named, 'b', 0);
  chainTrail.clear();
  const HWND gone = window;
  DestroyWindow(window);
  EXPECT_EQ(chainTrail, "b;a;own-end;");
  EXPECT_FALSE(GetSubclassData(gone, Named, 'a', nullptr));
  EXPECT_FALSE(RemoveSubclass(gone, Named, 'a'));
}

TEST_F(SubclassTest, StandsWithComctl32sChainAboveAndBeneath) {
  // Ours first, comctl32's above it; ours off first.
  SetSubclass(window, Named, 'a', 0);
  ASSERT_TRUE(SetWindowSubclass(window, Comctl, 1, 0));
  EXPECT_EQ(Probe(), "comctl;a;own;");
  RemoveSubclass(window, Named, 'a');
  EXPECT_EQ(Probe(), "comctl;own;");
  RemoveWindowSubclass(window, Comctl, 1);
  EXPECT_EQ(Probe(), "own;");

  // comctl32's first, ours above it; comctl32's off first, which puts its own procedure back.
  HWND other = CreateWindowExA(0, "TwSubclassProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(SetWindowSubclass(other, Comctl, 1, 0));
  ASSERT_TRUE(SetSubclass(other, Named, 'b', 0));
  chainTrail.clear();
  SendMessageA(other, kChainProbe, 0, 0);
  EXPECT_EQ(chainTrail, "b;comctl;own;");
  RemoveWindowSubclass(other, Comctl, 1);
  chainTrail.clear();
  SendMessageA(other, kChainProbe, 0, 0);
  EXPECT_EQ(chainTrail, "b;own;");
  RemoveSubclass(other, Named, 'b');
  chainTrail.clear();
  SendMessageA(other, kChainProbe, 0, 0);
  EXPECT_EQ(chainTrail, "own;");
  DestroyWindow(other);
}

} // namespace
} // namespace tw::win
