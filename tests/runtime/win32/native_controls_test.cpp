// The native realisation of the control models: windows at the models' bounds, events routed
// to the models, models' changes shown by the windows, and what the skin engine relies on
// (control property, replaceable message handler). Needs a display (Xvfb in scripts/test).

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/exceptions.h"
#include "runtime/forms.h"
#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "runtime/win32/native_control.h"

namespace tw::win {
namespace {

class TestForm : public TForm {
public:
  TestForm() : TForm("TTestForm", "TestForm") {
    SetCaption("Test");
    SetClientSize(400, 300);
    pages.AddPage(sheet1);
    pages.AddPage(sheet2);
    sheet1.SetCaption("One");
    sheet2.SetCaption("Two");
    Insert(header, nullptr, {0, 0, 200, 13});
    Insert(pages, nullptr, {0, 20, 400, 280});
    Insert(sheet1, &pages, {});
    Insert(list, &sheet1, {8, 8, 100, 120});
    Insert(button, &sheet1, {120, 8, 80, 25});
    Insert(combo, &sheet1, {120, 40, 100, 21});
    Insert(bar, &sheet1, {8, 140, 200, 17});
    Insert(label, &sheet1, {120, 70, 60, 13});
    Insert(sheet2, &pages, {});
    Insert(grid, &sheet2, {8, 8, 360, 200});
    Insert(later, &sheet2, {8, 216, 80, 25});
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "-banana"})
      list.Items().Add(s);
    button.SetCaption("Go");
    combo.Items().Add("Text File (*.txt)");
    combo.Items().Add("HTML File (*.html)");
    combo.SetItemIndex(1);
    label.SetCaption("Label");
    header.SetCaption("Header");
    header.SetBold(true);
  }
  TLabel header{"header"};
  TPageControl pages{"pages"};
  TTabSheet sheet1{"sheet1"};
  TTabSheet sheet2{"sheet2"};
  TListBox list{"list"};
  TButton button{"button"};
  TComboBox combo{"combo"};
  TProgressBar bar{"bar"};
  TLabel label{"label"};
  TValueListEditor grid{"grid"};
  TButton later{"later"};
};

class NativeControlsTest : public testing::Test {
protected:
  static void SetUpTestSuite() { Application::Get().Initialize(GetModuleHandleA(nullptr)); }
  void SetUp() override {
    Application::Get().SetExceptionHandler(
        [this](const std::exception& e) { errors.push_back(e.what()); });
    window = FormWindow::Create(form, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { Application::Get().SetExceptionHandler(nullptr); }

  // The second sheet chosen, as by its tab: its controls get their windows.
  void ShowSecondSheet() { form.pages.SetActivePageIndex(1); }
  HWND H(const TControl& model) const {
    NativeControl* native = window->NativeOf(model);
    return native != nullptr ? native->Handle() : nullptr;
  }
  // The window's rectangle in its parent's client coordinates.
  TBounds PlacedAt(const TControl& model) const {
    RECT r;
    GetWindowRect(H(model), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(H(model)), reinterpret_cast<POINT*>(&r), 2);
    return TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
  }

  TestForm form;
  std::unique_ptr<FormWindow> window;
  std::vector<std::string> errors;
};

TEST_F(NativeControlsTest, WindowsStandAtTheirModelsBounds) {
  RECT client;
  GetClientRect(window->Handle(), &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_EQ(PlacedAt(form.pages), form.pages.Bounds());
  EXPECT_EQ(PlacedAt(form.list), form.list.Bounds());
  EXPECT_EQ(PlacedAt(form.button), form.button.Bounds());
  EXPECT_EQ(PlacedAt(form.combo), form.combo.Bounds()); // the closed drop-down list
  EXPECT_EQ(PlacedAt(form.bar), form.bar.Bounds());
  ShowSecondSheet();
  EXPECT_EQ(PlacedAt(form.grid), form.grid.Bounds());
  EXPECT_EQ(GetParent(H(form.list)), H(form.sheet1));
  EXPECT_EQ(GetParent(H(form.sheet1)), H(form.pages));
}

TEST_F(NativeControlsTest, ListShowsTheModelsOrderAndClicksRunTheHandler) {
  ASSERT_EQ(SendMessageA(H(form.list), LB_GETCOUNT, 0, 0), 3);
  char text[32];
  SendMessageA(H(form.list), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Apple");
  int clicks = 0;
  int seen = -2;
  form.list.OnClick = [&](TControl&) {
    ++clicks;
    seen = form.list.ItemIndex();
  };
  // A user's selection: the list box notifies its parent.
  SendMessageA(H(form.list), LB_SETCURSEL, 2, 0);
  SendMessageA(H(form.sheet1), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(H(form.list)));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(seen, 2);
  // Selecting from code shows the selection without a click.
  form.list.SetItemIndex(0);
  EXPECT_EQ(SendMessageA(H(form.list), LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(clicks, 1);
  form.list.Items().Add("cherry");
  EXPECT_EQ(SendMessageA(H(form.list), LB_GETCOUNT, 0, 0), 4);
}

TEST_F(NativeControlsTest, ButtonsClickAndFollowTheirEnabledState) {
  int clicks = 0;
  form.button.OnClick = [&](TControl&) { ++clicks; };
  SendMessageA(H(form.button), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  form.button.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(H(form.button)));
  form.button.SetCaption("Stop");
  char text[16];
  GetWindowTextA(H(form.button), text, sizeof(text));
  EXPECT_STREQ(text, "Stop");
}

TEST_F(NativeControlsTest, GridShowsRowsSplitAtTheFirstEqualsSign) {
  std::vector<std::string> rows;
  for (int i = 0; i < 5000; ++i)
    rows.push_back("key" + std::to_string(i) + "=value=" + std::to_string(i));
  ShowSecondSheet();
  form.grid.Assign(rows);
  EXPECT_EQ(SendMessageA(H(form.grid), LVM_GETITEMCOUNT, 0, 0), 5000);
  char text[64];
  LVITEMA item{};
  item.iSubItem = 1;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  SendMessageA(H(form.grid), LVM_GETITEMTEXTA, 42, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "value=42");
  item.iSubItem = 0;
  SendMessageA(H(form.grid), LVM_GETITEMTEXTA, 42, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "key42");
  // The user moves to another row: it becomes the current row.
  LVITEMA state{};
  state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  state.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageA(H(form.grid), LVM_SETITEMSTATE, 7, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(form.grid.CurrentRow(), 7);
  EXPECT_EQ(form.grid.CurrentKey(), "key7");
  char title[16];
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = title;
  column.cchTextMax = sizeof(title);
  SendMessageA(H(form.grid), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(title, "Value");
  EXPECT_EQ(column.cx, 425);
}

TEST_F(NativeControlsTest, ComboAndProgressFollowTheirModels) {
  EXPECT_EQ(SendMessageA(H(form.combo), CB_GETCURSEL, 0, 0), 1);
  SendMessageA(H(form.combo), CB_SETCURSEL, 0, 0);
  SendMessageA(H(form.sheet1), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(H(form.combo)));
  EXPECT_EQ(form.combo.ItemIndex(), 0);
  form.bar.SetRange(0, 33);
  form.bar.SetStep(1);
  form.bar.StepIt();
  form.bar.StepIt();
  EXPECT_EQ(SendMessageA(H(form.bar), PBM_GETPOS, 0, 0), 2);
  EXPECT_EQ(SendMessageA(H(form.bar), PBM_GETRANGE, FALSE, 0), 33);
}

TEST_F(NativeControlsTest, TabsSwitchSheets) {
  // Shown, so that visibility means what the user sees: the sheet and every parent up to the
  // form visible.
  ShowWindow(window->Handle(), SW_SHOWNOACTIVATE);
  ASSERT_TRUE(IsWindowVisible(window->Handle()));
  EXPECT_TRUE(IsWindowVisible(H(form.sheet1)));
  EXPECT_TRUE(IsWindowVisible(H(form.list)));
  EXPECT_FALSE(IsWindowVisible(H(form.sheet2)));
  SendMessageA(H(form.pages), TCM_SETCURSEL, 1, 0);
  NMHDR notify{H(form.pages), 0, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(window->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
  EXPECT_EQ(form.pages.ActivePageIndex(), 1);
  EXPECT_FALSE(IsWindowVisible(H(form.sheet1)));
  EXPECT_FALSE(IsWindowVisible(H(form.list)));
  EXPECT_TRUE(IsWindowVisible(H(form.sheet2)));
  EXPECT_TRUE(IsWindowVisible(H(form.grid)));
  ShowWindow(window->Handle(), SW_HIDE);
}

// ---- Controls on a sheet not shown yet

TEST_F(NativeControlsTest, AHiddenSheetsControlsGetTheirWindowsAsItFirstShows) {
  int realised = 0;
  const TControl* realisedSheet = nullptr;
  window->AddHook(this, [&](TMessage& m, const WindowProcHook& next) {
    if (m.msg == kMsgControlsRealised) {
      ++realised;
      realisedSheet = reinterpret_cast<const TControl*>(m.lParam);
      // Made already, still hidden: hooks can take them before the user sees them.
      EXPECT_NE(H(form.grid), nullptr);
      EXPECT_FALSE(IsWindowVisible(H(form.sheet2)));
    }
    next(m);
  });
  ASSERT_NE(H(form.sheet2), nullptr);
  EXPECT_EQ(H(form.grid), nullptr);
  EXPECT_EQ(H(form.later), nullptr);
  ShowSecondSheet();
  ASSERT_NE(H(form.grid), nullptr);
  ASSERT_NE(H(form.later), nullptr);
  EXPECT_EQ(realised, 1);
  EXPECT_EQ(realisedSheet, &form.sheet2);
  EXPECT_EQ(GetParent(H(form.grid)), H(form.sheet2));
  EXPECT_EQ(PlacedAt(form.later), form.later.Bounds());
  // Tab order as the form has it: the grid, then the button after it.
  EXPECT_EQ(GetWindow(H(form.grid), GW_HWNDNEXT), H(form.later));
  // Made once: switching back and forth keeps the same windows.
  const HWND grid = H(form.grid);
  form.pages.SetActivePageIndex(0);
  ShowSecondSheet();
  EXPECT_EQ(H(form.grid), grid);
  EXPECT_EQ(realised, 1);
  window->RemoveHook(this);
}

TEST_F(NativeControlsTest, ChangesToAWaitingControlShowWhenItsWindowIsMade) {
  form.grid.Assign({"a=1", "b=2", "c=3"});
  form.grid.SetCurrentRow(2);
  form.later.SetCaption("Later");
  form.later.SetEnabled(false);
  ShowSecondSheet();
  EXPECT_EQ(SendMessageA(H(form.grid), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(H(form.grid), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
  char text[16];
  GetWindowTextA(H(form.later), text, sizeof(text));
  EXPECT_STREQ(text, "Later");
  EXPECT_FALSE(IsWindowEnabled(H(form.later)));
  // From then on the window follows the model at once.
  form.later.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(H(form.later)));
}

TEST_F(NativeControlsTest, AFormOpenedOnItsSecondSheetMakesThatSheetsControlsAtOnce) {
  TestForm other;
  other.pages.SetActivePageIndex(1);
  auto otherWindow = FormWindow::Create(other, nullptr);
  EXPECT_NE(otherWindow->NativeOf(other.grid), nullptr);
  EXPECT_EQ(otherWindow->NativeOf(other.list), nullptr);
  other.pages.SetActivePageIndex(0);
  EXPECT_NE(otherWindow->NativeOf(other.list), nullptr);
}

TEST_F(NativeControlsTest, LabelsAreStaticTextsThatTakeClicks) {
  char text[32];
  GetWindowTextA(H(form.label), text, sizeof(text));
  EXPECT_STREQ(text, "Label");
  EXPECT_EQ(PlacedAt(form.label), form.label.Bounds());
  // The label sizes itself to a longer text, on one line, keeping its left edge.
  const int before = form.label.Bounds().width;
  form.label.SetCaption("Total Items : 5000");
  GetWindowTextA(H(form.label), text, sizeof(text));
  EXPECT_STREQ(text, "Total Items : 5000");
  EXPECT_GT(form.label.Bounds().width, before);
  EXPECT_EQ(form.label.Bounds().left, 120);
  EXPECT_EQ(PlacedAt(form.label), form.label.Bounds());
  int clicks = 0;
  int doubles = 0;
  form.label.OnClick = [&](TControl&) { ++clicks; };
  form.label.OnDblClick = [&](TControl&) { ++doubles; };
  SendMessageA(H(form.label), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(H(form.label), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  SendMessageA(H(form.label), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(H(form.label), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 1);
}

TEST_F(NativeControlsTest, RightAlignedLabelsKeepTheirRightEdge) {
  TestForm other;
  other.label.SetAlignment(TAlignment::taRightJustify);
  other.label.SetBounds({231, 8, 83, 13});
  auto otherWindow = FormWindow::Create(other, nullptr);
  const int right = other.label.Bounds().left + other.label.Bounds().width;
  other.label.SetCaption("Total Items : 12345");
  EXPECT_EQ(other.label.Bounds().left + other.label.Bounds().width, right);
  EXPECT_LT(other.label.Bounds().left, 231) << "grew to the left";
  // The window follows the model.
  RECT r;
  const HWND label = otherWindow->NativeOf(other.label)->Handle();
  GetWindowRect(label, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(label), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ((TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top}), other.label.Bounds());
}

TEST_F(NativeControlsTest, WindowHandleLeadsBackToItsControlObject) {
  char expected[64];
  std::snprintf(expected, sizeof(expected), "ControlOfs%.8X%.8X",
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))),
                static_cast<unsigned>(GetCurrentThreadId()));
  EXPECT_EQ(ControlAtomName(), expected);
  const ATOM atom = GlobalFindAtomA(expected);
  ASSERT_NE(atom, 0);
  auto* native = static_cast<NativeControl*>(GetPropA(H(form.button), MAKEINTATOM(atom)));
  ASSERT_NE(native, nullptr);
  EXPECT_EQ(&native->Model(), &form.button);
  EXPECT_EQ(native->ClassName(), "TButton");
  ShowSecondSheet();
  EXPECT_EQ(NativeControl::FromHandle(H(form.grid))->ClassName(), "TValueListEditor");
  // The same name as a registered message: the window answers with its control object.
  EXPECT_EQ(ControlMessage(), RegisterWindowMessageA(expected));
  EXPECT_EQ(SendMessageA(H(form.list), ControlMessage(), 0, 0),
            reinterpret_cast<LRESULT>(window->NativeOf(form.list)));
  EXPECT_EQ(form.combo.Property("Style"), "csDropDownList");
  EXPECT_EQ(form.button.Property("Default"), std::nullopt);
}

TEST_F(NativeControlsTest, MessageHandlerCanBeReplacedAndCalledThrough) {
  NativeControl* native = window->NativeOf(form.button);
  WindowProcHook saved = native->WindowProc;
  int seen = 0;
  native->WindowProc = [&](TMessage& m) {
    if (m.msg == WM_SETTEXT)
      ++seen;
    saved(m);
  };
  SetWindowTextA(H(form.button), "Hooked");
  EXPECT_EQ(seen, 1);
  char text[16];
  GetWindowTextA(H(form.button), text, sizeof(text));
  EXPECT_STREQ(text, "Hooked");
  native->WindowProc = saved;
}

std::string* foreignTrail = nullptr;
constexpr UINT kProbe = WM_USER + 77;

LRESULT CALLBACK ForeignSubclass(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == kProbe)
    *foreignTrail += "foreign;";
  return DefSubclassProc(w, msg, wp, lp);
}

// Hooks of different owners, and a foreign subclass of the same window, stack and come off in
// any order without cutting each other or the control's own handling out.
TEST_F(NativeControlsTest, HooksAndSubclassesStackAndComeOffInAnyOrder) {
  NativeControl* native = window->NativeOf(form.button);
  HWND button = H(form.button);
  std::string trail;
  const WindowProcHook own = native->WindowProc;
  native->WindowProc = [&](TMessage& m) {
    if (m.msg == kProbe)
      trail += "own;";
    own(m);
  };
  const auto hook = [&](const char* name) {
    return [&trail, name](TMessage& m, const WindowProcHook& next) {
      if (m.msg == kProbe)
        trail += std::string(name) + ";";
      next(m);
    };
  };
  int ownerA = 0;
  int ownerB = 0;
  native->AddHook(&ownerA, hook("a"));
  native->AddHook(&ownerB, hook("b"));
  foreignTrail = &trail;
  const SUBCLASSPROC foreign = ForeignSubclass;
  ASSERT_TRUE(SetWindowSubclass(button, foreign, 1, 0));

  SendMessageA(button, kProbe, 0, 0);
  EXPECT_EQ(trail, "foreign;b;a;own;");
  // The first hook off first; the foreign subclass stays in front.
  trail.clear();
  native->RemoveHook(&ownerA);
  SendMessageA(button, kProbe, 0, 0);
  EXPECT_EQ(trail, "foreign;b;own;");
  // Hooking again replaces in place: never twice.
  trail.clear();
  native->AddHook(&ownerB, hook("b2"));
  EXPECT_TRUE(native->HasHook(&ownerB));
  SendMessageA(button, kProbe, 0, 0);
  EXPECT_EQ(trail, "foreign;b2;own;");
  // The foreign subclass off before the last hook: the control keeps its handling.
  trail.clear();
  RemoveWindowSubclass(button, foreign, 1);
  native->RemoveHook(&ownerB);
  SendMessageA(button, kProbe, 0, 0);
  EXPECT_EQ(trail, "own;");
  SetWindowTextA(button, "Still works");
  EXPECT_EQ(form.button.Caption(), "Go");
  char text[32];
  GetWindowTextA(button, text, sizeof(text));
  EXPECT_STREQ(text, "Still works");
  native->WindowProc = own;
}

// Beneath its subclass the window's own procedure gets each message in its character set: text
// set through the ANSI calls reads back the same through the Unicode ones.
TEST_F(NativeControlsTest, TheWindowsOwnProcedureGetsMessagesInItsCharacterSet) {
  form.label.SetCaption("Total Items : 7");
  wchar_t text[32] = {};
  GetWindowTextW(H(form.label), text, 32);
  EXPECT_STREQ(text, L"Total Items : 7");
  ASSERT_EQ(SendMessageA(H(form.list), LB_GETCOUNT, 0, 0), 3);
  SendMessageW(H(form.list), LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"pear");
  SetWindowTextW(H(form.button), L"Stop");
  char narrow[16] = {};
  GetWindowTextA(H(form.button), narrow, sizeof(narrow));
  EXPECT_STREQ(narrow, "Stop");
}

// A control object sees its window's first messages: it is bound while the window is created.
TEST_F(NativeControlsTest, ControlsAreBoundAsTheirWindowsAreCreated) {
  class Probe final : public NativeControl {
  public:
    Probe(TControl& model, HWND parent) : NativeControl(model) {
      Attach(CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr));
    }
    bool HandleMessage(TMessage& m) override {
      if (m.msg == WM_NCCREATE || m.msg == WM_CREATE)
        seen.push_back(m.msg);
      return false;
    }
    std::vector<UINT> seen;
  };
  TButton model("probe");
  Probe probe(model, window->Handle());
  EXPECT_EQ(probe.seen, (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
  EXPECT_EQ(NativeControl::FromHandle(probe.Handle()), &probe);
}

// The hook that binds control objects to their windows as they are created stays only while the
// thread has forms.
TEST_F(NativeControlsTest, TheCreationHookGoesWithTheLastForm) {
  EXPECT_TRUE(NativeControl::CreationHookInstalled());
  window.reset();
  EXPECT_FALSE(NativeControl::CreationHookInstalled());
  window = FormWindow::Create(form, nullptr);
  EXPECT_TRUE(NativeControl::CreationHookInstalled());
  // Bound as before: the new windows lead back to their control objects.
  EXPECT_EQ(NativeControl::FromHandle(H(form.button)), window->NativeOf(form.button));
  EXPECT_EQ(NativeControl::FromHandle(window->Handle()), window.get());
}

TEST_F(NativeControlsTest, ErrorsInHandlersReachTheApplicationsHandler) {
  form.button.OnClick = [](TControl&) { throw Exception("Cannot open clipboard"); };
  SendMessageA(H(form.button), BM_CLICK, 0, 0);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Cannot open clipboard");
  EXPECT_TRUE(IsWindow(H(form.button)));
}

} // namespace
} // namespace tw::win
