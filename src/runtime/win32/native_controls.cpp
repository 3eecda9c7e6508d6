// The windowed controls: push buttons, list boxes, key/value grids, drop-down lists, progress
// bars, the page control and its tab sheets.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "runtime/exceptions.h"
#include "runtime/forms.h"
#include "runtime/win32/application.h"
#include "runtime/win32/containers.h"
#include "runtime/win32/gdi.h"
#include "runtime/win32/native_control.h"
#include "runtime/win32/wide_text.h"

namespace tw::win {
namespace {

// Created as the model stands (visible, enabled): under Wine every call after the creation costs
// a round trip to the server, and a form has some eighty controls. Nobody takes the parents'
// WM_PARENTNOTIFY, which would pass every container up to the form, each through its subclass
// chain.
HWND CreateChild(const char* windowClass, DWORD style, DWORD exStyle, const TControl& model,
                 HWND parent, int height = -1) {
  const TBounds& b = model.Bounds();
  const DWORD state = (model.Visible() ? WS_VISIBLE : 0) | (model.Enabled() ? 0 : WS_DISABLED);
  HWND window = CreateWindowExA(exStyle | WS_EX_NOPARENTNOTIFY, windowClass,
                                model.Caption().c_str(), WS_CHILD | WS_CLIPSIBLINGS | style | state,
                                b.left, b.top, b.width, height < 0 ? b.height : height, parent,
                                nullptr, Application::Get().Instance(), nullptr);
  if (window == nullptr)
    throw Exception("Cannot create the control " + model.Name());
  return window;
}

WORD NotifyCode(const TMessage& m) {
  return HIWORD(m.wParam);
}

class ButtonWindow final : public NativeControl {
public:
  ButtonWindow(TControl& model, HWND parent) : NativeControl(model) {
    Attach(CreateChild(WC_BUTTONA, WS_TABSTOP | BS_PUSHBUTTON, 0, model, parent));
    ApplyCommon(false);
  }
  bool Reflect(TMessage& m) override {
    if (m.msg == WM_COMMAND && NotifyCode(m) == BN_CLICKED) {
      Model().Click();
      return true;
    }
    return false;
  }
};

// A label: a static text window, so that screen readers and automation see its caption. It
// is transparent over its container, which paints what lies beneath it, and sizes itself to
// its text on one line: a right-aligned label keeps its right edge, others their left edge.
class LabelWindow final : public NativeControl {
public:
  LabelWindow(TLabel& model, HWND parent) : NativeControl(model), label_(model) {
    const DWORD align =
        model.Alignment() == TAlignment::taRightJustify
            ? SS_RIGHT
            : (model.Alignment() == TAlignment::taCenter ? SS_CENTER : SS_LEFTNOWORDWRAP);
    // Sized to its text before it is made, so that it needs no move afterwards.
    label_.SetBounds(FittedBounds());
    Attach(
        CreateChild(WC_STATICA, SS_NOTIFY | SS_NOPREFIX | align, WS_EX_TRANSPARENT, model, parent));
    ApplyCommon(model.Bold());
  }
  bool Reflect(TMessage& m) override {
    if (m.msg != WM_COMMAND)
      return false;
    if (NotifyCode(m) == STN_CLICKED)
      Model().Click();
    else if (NotifyCode(m) == STN_DBLCLK)
      Model().DblClick();
    return true;
  }
  void ModelChanged(TControl& control, ControlChange change) override {
    if (change == ControlChange::Caption) {
      // The text is drawn over the container's background: repaint both, old and new place.
      const RECT before = PlaceInParent();
      SetWindowTextA(Handle(), control.Caption().c_str());
      FitText();
      RECT after = PlaceInParent();
      UnionRect(&after, &after, &before);
      RedrawWindow(GetParent(Handle()), &after, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      return;
    }
    NativeControl::ModelChanged(control, change);
  }

private:
  RECT PlaceInParent() const {
    RECT r;
    GetWindowRect(Handle(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // The label's bounds with the width of its text on one line.
  TBounds FittedBounds() const {
    // One measuring context for every label of the program, made once.
    static const MemoryDc measuring(nullptr);
    SIZE extent{};
    {
      const SelectGuard font(measuring.Get(), Application::Get().Font(label_.Bold()));
      const std::string& text = label_.Caption();
      GetTextExtentPoint32A(measuring.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    TBounds b = label_.Bounds();
    if (label_.Alignment() == TAlignment::taRightJustify)
      b.left += b.width - extent.cx;
    b.width = extent.cx;
    return b;
  }
  void FitText() {
    const TBounds b = FittedBounds();
    label_.SetBounds(b);
    MoveWindow(Handle(), b.left, b.top, b.width, b.height, FALSE);
  }

  TLabel& label_;
};

class ListBoxWindow final : public NativeControl {
public:
  ListBoxWindow(TListBox& model, HWND parent) : NativeControl(model), list_(model) {
    Attach(CreateChild(WC_LISTBOXA, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                       WS_EX_CLIENTEDGE, model, parent));
    ApplyCommon(false);
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, 13);
    Rebuild();
  }
  bool Reflect(TMessage& m) override {
    if (m.msg == WM_COMMAND && NotifyCode(m) == LBN_SELCHANGE) {
      const int index = static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
      syncing_ = true;
      list_.SetItemIndex(index);
      syncing_ = false;
      Model().Click();
      return true;
    }
    return false;
  }
  void ModelChanged(TControl& control, ControlChange change) override {
    switch (change) {
    case ControlChange::Items:
      // A hidden list (the row buffer) is never seen; it is filled when it is shown.
      if (list_.Visible())
        Rebuild();
      break;
    case ControlChange::ItemIndex:
      if (!syncing_) {
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
        UpdateWindow(Handle());
      }
      break;
    case ControlChange::Visible:
      if (list_.Visible())
        Rebuild();
      NativeControl::ModelChanged(control, change);
      break;
    default:
      NativeControl::ModelChanged(control, change);
    }
  }

private:
  void Rebuild() {
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    if (list_.Visible())
      for (int i = 0; i < list_.Items().Count(); ++i)
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list_.Items()[i].c_str()));
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(list_.ItemIndex()), 0);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
  }

  TListBox& list_;
  bool syncing_ = false;
};

// The key/value grid: a virtual report-view list, so that thousands of rows show at once.
class GridWindow final : public NativeControl {
public:
  GridWindow(TValueListEditor& model, HWND parent) : NativeControl(model), grid_(model) {
    Attach(CreateChild(WC_LISTVIEWA,
                       WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                       WS_EX_CLIENTEDGE, model, parent));
    ApplyCommon(false);
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    AddColumn(0, TValueListEditor::kKeyTitle, TValueListEditor::kKeyWidth);
    AddColumn(1, TValueListEditor::kValueTitle, TValueListEditor::kValueWidth);
    ShowRows();
  }
  bool Reflect(TMessage& m) override {
    if (m.msg != WM_NOTIFY)
      return false;
    const auto* header = reinterpret_cast<const NMHDR*>(m.lParam);
    switch (header->code) {
    case LVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMLVDISPINFOA*>(m.lParam);
      if ((info->item.mask & LVIF_TEXT) != 0 && info->item.pszText != nullptr &&
          info->item.cchTextMax > 0)
        CopyCell(info->item.iItem, info->item.iSubItem, info->item.pszText, info->item.cchTextMax);
      return true;
    }
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(m.lParam);
      if ((info->item.mask & LVIF_TEXT) != 0 && info->item.pszText != nullptr &&
          info->item.cchTextMax > 0) {
        const std::string_view cell = Cell(info->item.iItem, info->item.iSubItem);
        WideFromAnsi(cell, info->item.pszText, info->item.cchTextMax);
      }
      return true;
    }
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(m.lParam);
      if (change->iItem >= 0 && (change->uNewState & LVIS_FOCUSED) != 0 &&
          (change->uOldState & LVIS_FOCUSED) == 0) {
        syncing_ = true;
        grid_.SetCurrentRow(change->iItem);
        syncing_ = false;
      }
      return true;
    }
    case NM_DBLCLK:
      Model().DblClick();
      return true;
    default:
      return false;
    }
  }
  void ModelChanged(TControl& control, ControlChange change) override {
    switch (change) {
    case ControlChange::Rows:
      ShowRows();
      break;
    case ControlChange::ItemIndex:
      if (!syncing_)
        MarkCurrent();
      break;
    default:
      NativeControl::ModelChanged(control, change);
    }
  }

private:
  void AddColumn(int index, const char* title, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(title);
    column.cx = width;
    column.iSubItem = index;
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
  }
  std::string_view Cell(int row, int column) const {
    if (row < 0 || row >= grid_.RowCount())
      return {};
    return column == 0 ? grid_.KeyCell(row) : grid_.ValueCell(row);
  }
  void CopyCell(int row, int column, char* out, int capacity) const {
    const std::string_view cell = Cell(row, column);
    const size_t n = std::min(cell.size(), static_cast<size_t>(capacity - 1));
    std::memcpy(out, cell.data(), n);
    out[n] = 0;
  }
  void ShowRows() {
    SendMessageA(Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(grid_.RowCount()), 0);
    MarkCurrent();
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, 0, FALSE);
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
  }
  void MarkCurrent() {
    if (grid_.RowCount() == 0)
      return;
    LVITEMA item{};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    syncing_ = true;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(grid_.CurrentRow()),
                 reinterpret_cast<LPARAM>(&item));
    syncing_ = false;
  }

  TValueListEditor& grid_;
  bool syncing_ = false;
};

class ComboWindow final : public NativeControl {
public:
  ComboWindow(TComboBox& model, HWND parent) : NativeControl(model), combo_(model) {
    // The window's height includes the dropped-down list.
    Attach(CreateChild(WC_COMBOBOXA, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, model, parent,
                       model.Bounds().height + 120));
    ApplyCommon(false);
    // The closed box keeps the laid-out height: the selection field plus its 3-pixel frame.
    SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), model.Bounds().height - 6);
    for (int i = 0; i < combo_.Items().Count(); ++i)
      SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(combo_.Items()[i].c_str()));
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0);
  }
  bool Reflect(TMessage& m) override {
    if (m.msg == WM_COMMAND && NotifyCode(m) == CBN_SELCHANGE) {
      syncing_ = true;
      combo_.SetItemIndex(static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)));
      syncing_ = false;
      return true;
    }
    return false;
  }
  void ModelChanged(TControl& control, ControlChange change) override {
    if (change == ControlChange::ItemIndex) {
      if (!syncing_)
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(combo_.ItemIndex()), 0);
      return;
    }
    NativeControl::ModelChanged(control, change);
  }

private:
  TComboBox& combo_;
  bool syncing_ = false;
};

class ProgressWindow final : public NativeControl {
public:
  ProgressWindow(TProgressBar& model, HWND parent) : NativeControl(model), bar_(model) {
    Attach(CreateChild(PROGRESS_CLASSA, 0, 0, model, parent));
    ApplyCommon(false);
    Apply();
  }
  void ModelChanged(TControl& control, ControlChange change) override {
    if (change == ControlChange::Progress) {
      Apply();
      UpdateWindow(Handle());
      return;
    }
    NativeControl::ModelChanged(control, change);
  }

private:
  void Apply() {
    SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(bar_.Min()),
                 static_cast<LPARAM>(bar_.Max()));
    SendMessageA(Handle(), PBM_SETSTEP, static_cast<WPARAM>(bar_.Step()), 0);
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(bar_.Position()), 0);
  }
  TProgressBar& bar_;
};

class PageWindow final : public NativeControl {
public:
  PageWindow(TPageControl& model, HWND parent) : NativeControl(model), pages_(model) {
    Attach(CreateChild(WC_TABCONTROLA, WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, model,
                       parent));
    ApplyCommon(false);
    int index = 0;
    for (TTabSheet* sheet : model.Pages()) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(sheet->Caption().c_str());
      SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(index++),
                   reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(model.ActivePageIndex()), 0);
  }
  // The area the sheets fill, in the page control's client coordinates.
  RECT DisplayArea() const {
    RECT r;
    GetClientRect(Handle(), &r);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  bool Reflect(TMessage& m) override {
    if (m.msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(m.lParam)->code == TCN_SELCHANGE) {
      pages_.SetActivePageIndex(static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)));
      return true;
    }
    return false;
  }
  void ModelChanged(TControl& control, ControlChange change) override {
    if (change != ControlChange::ItemIndex) {
      NativeControl::ModelChanged(control, change);
      return;
    }
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(pages_.ActivePageIndex()), 0);
    for (int i = 0; i < static_cast<int>(pages_.Pages().size()); ++i)
      pages_.Pages()[static_cast<size_t>(i)]->SetVisible(i == pages_.ActivePageIndex());
  }

private:
  TPageControl& pages_;
};

// A tab sheet: a container window over the page control's display area.
class SheetWindow final : public Container {
public:
  SheetWindow(TTabSheet& model, HWND page)
      : Container(model, [&] {
          return CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_NOPARENTNOTIFY,
                                 RegisterContainerClass("TTabSheet", ClassIcon::kNone),
                                 model.Caption().c_str(),
                                 WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, page,
                                 nullptr, Application::Get().Instance(), nullptr);
        }) {
    auto* pageControl = dynamic_cast<TPageControl*>(model.Parent());
    RECT area{};
    if (const auto* native = dynamic_cast<PageWindow*>(NativeControl::FromHandle(page)))
      area = native->DisplayArea();
    model.SetBounds(TBounds{area.left, area.top, area.right - area.left, area.bottom - area.top});
    MoveWindow(Handle(), area.left, area.top, area.right - area.left, area.bottom - area.top,
               FALSE);
    const auto& pages = pageControl->Pages();
    const auto at = std::find(pages.begin(), pages.end(), &model);
    model.SetVisible(at - pages.begin() == pageControl->ActivePageIndex());
    ApplyCommon(false);
  }
};

} // namespace

std::unique_ptr<NativeControl> CreateNativeControl(TControl& model, HWND parent) {
  if (auto* label = dynamic_cast<TLabel*>(&model))
    return std::make_unique<LabelWindow>(*label, parent);
  if (auto* list = dynamic_cast<TListBox*>(&model))
    return std::make_unique<ListBoxWindow>(*list, parent);
  if (auto* grid = dynamic_cast<TValueListEditor*>(&model))
    return std::make_unique<GridWindow>(*grid, parent);
  if (auto* combo = dynamic_cast<TComboBox*>(&model))
    return std::make_unique<ComboWindow>(*combo, parent);
  if (auto* bar = dynamic_cast<TProgressBar*>(&model))
    return std::make_unique<ProgressWindow>(*bar, parent);
  if (auto* pages = dynamic_cast<TPageControl*>(&model))
    return std::make_unique<PageWindow>(*pages, parent);
  if (auto* sheet = dynamic_cast<TTabSheet*>(&model))
    return std::make_unique<SheetWindow>(*sheet, parent);
  if (model.ClassName() == "TButton")
    return std::make_unique<ButtonWindow>(model, parent);
  return nullptr;
}

} // namespace tw::win
