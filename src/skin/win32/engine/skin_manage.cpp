#include "skin/win32/engine/skin_manage.h"

#include <algorithm>

#include "runtime/controls.h"
#include "runtime/win32/application.h"
#include "runtime/win32/native_control.h"
#include "skin/paint/window_qualify.h"
#include "skin/win32/engine/skin_messages.h"

namespace tw::win {

namespace {

TSkinManage* instance = nullptr;

constexpr UINT_PTR kActionTimer = 1;

// Visible top-level windows that have a control object: the application's forms.
BOOL CALLBACK CollectForm(HWND window, LPARAM param) {
  if (IsWindowVisible(window) && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0 &&
      NativeControl::FromHandle(window) != nullptr)
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

} // namespace

TSkinManage::TSkinManage() {
  if (instance == nullptr)
    instance = this;
}

TSkinManage::~TSkinManage() {
  if (hook_ != nullptr)
    UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  for (auto& form : forms_)
    form->Restore();
  forms_.clear();
  if (window_ != nullptr)
    DestroyWindow(window_);
  if (instance == this)
    instance = nullptr;
}

TSkinManage* TSkinManage::Instance() {
  return instance;
}

void TSkinManage::Create() {
  if (created_)
    return;
  created_ = true;
  controlMessage_ = ControlMessage();
  ControlAtom();
  WNDCLASSA wc{};
  wc.lpfnWndProc = &TSkinManage::ManagerWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TwSkinManager";
  RegisterClassA(&wc);
  window_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TSkinManage::Register(TSkinData& data) {
  if (std::find(components_.begin(), components_.end(), &data) == components_.end())
    components_.push_back(&data);
}

void TSkinManage::Unregister(TSkinData& data) {
  // Its forms lose their skin with it.
  for (auto& form : forms_)
    if (&form->SkinData() == &data)
      Restore(*form);
  std::erase_if(forms_, [&](const auto& form) { return &form->SkinData() == &data; });
  std::erase(components_, &data);
  owners_.erase(&data);
  if (pendingTarget_ == &data) {
    hasPending_ = false;
    pendingTarget_ = nullptr;
  }
}

void TSkinManage::InstallCreationHook() {
  if (hook_ != nullptr)
    return;
  platformVersion_ = GetVersion();
  hook_ = SetWindowsHookExA(WH_CBT, &TSkinManage::CbtProc, nullptr, GetCurrentThreadId());
}

void TSkinManage::AddSubordinate(TSkinManage& manager) {
  if (&manager != this &&
      std::find(subordinates_.begin(), subordinates_.end(), &manager) == subordinates_.end())
    subordinates_.push_back(&manager);
}

void TSkinManage::RemoveSubordinate(TSkinManage& manager) {
  std::erase(subordinates_, &manager);
}

void TSkinManage::RequestAction(TSkinData& data, SkinAction action, int delayMs, SkinScope scope) {
  pending_ = action;
  hasPending_ = true;
  pendingTarget_ = &data;
  pendingScope_ = scope;
  if (!running_) {
    // Not running yet: only whether skinning is wanted; windows are skinned as they activate.
    if (action == SkinAction::Activate)
      skinningOn_ = true;
    else if (action == SkinAction::Deactivate)
      skinningOn_ = false;
    hasPending_ = false;
    return;
  }
  if (action == SkinAction::Activate)
    for (TSkinManage* sub : subordinates_)
      if (!sub->components_.empty())
        sub->RequestAction(*sub->components_.front(), SkinAction::Activate, 300, scope);
  if (window_ != nullptr)
    SetTimer(window_, kActionTimer, static_cast<UINT>(std::max(delayMs, 1)), nullptr);
}

void TSkinManage::SkinOwnerForm(TSkinData& data) {
  running_ = true;
  skinningOn_ = true;
  if (const auto it = owners_.find(&data); it != owners_.end())
    SkinWindow(it->second);
}

LRESULT CALLBACK TSkinManage::ManagerWindowProc(HWND window, UINT msg, WPARAM wParam,
                                                LPARAM lParam) {
  auto* manager = reinterpret_cast<TSkinManage*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (manager != nullptr) {
    if (msg == WM_TIMER && wParam == kActionTimer) {
      Application::Get().Guard([&] { manager->OnTimer(); });
      return 0;
    }
    if (msg == kMsgMdiMaximize) {
      // An MDI child changed its maximized state: its frame repaints its menu bar buttons.
      if (TWinSkinForm* form = manager->FormOf(reinterpret_cast<HWND>(lParam)))
        form->StateChanged();
      return 0;
    }
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

void TSkinManage::OnTimer() {
  KillTimer(window_, kActionTimer);
  if (!hasPending_)
    return;
  hasPending_ = false;
  TSkinData* target = pendingTarget_;
  TSkinData* scoped = pendingScope_ == SkinScope::OwnerForm ? target : nullptr;
  Sweep();
  switch (pending_) {
  case SkinAction::Activate:
    Activate(scoped);
    break;
  case SkinAction::Deactivate:
    Deactivate(scoped);
    break;
  case SkinAction::Reload:
    Reload(target);
    break;
  }
  pendingTarget_ = nullptr;
  if (target != nullptr)
    target->SkinChanged();
}

void TSkinManage::Activate(TSkinData* target) {
  skinningOn_ = true;
  if (target != nullptr) {
    if (const auto it = owners_.find(target); it != owners_.end())
      SkinWindow(it->second);
  } else {
    // Every visible top-level window of the application, the last one first.
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectForm, reinterpret_cast<LPARAM>(&windows));
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
      SkinWindow(*it);
  }
  for (TSkinManage* sub : subordinates_)
    if (!sub->components_.empty()) {
      sub->running_ = true;
      sub->RequestAction(*sub->components_.front(), SkinAction::Activate, 300,
                         SkinScope::Application);
    }
}

void TSkinManage::Deactivate(TSkinData* target) {
  popups_.Clear();
  if (target == nullptr)
    skinningOn_ = false;
  for (auto& form : forms_)
    if (Affects(*form, target))
      Restore(*form);
  std::erase_if(forms_, [&](const auto& form) { return form->Stage() == kStageFinished; });
  for (TSkinManage* sub : subordinates_) {
    sub->skinningOn_ = false;
    for (auto& form : sub->forms_)
      sub->Restore(*form);
    sub->forms_.clear();
  }
}

void TSkinManage::Reload(TSkinData* target) {
  popups_.Clear();
  for (auto& form : forms_)
    if (&form->SkinData() == target)
      form->Reload();
  for (auto& form : forms_)
    form->RepaintFrame();
}

bool TSkinManage::Affects(const TWinSkinForm& form, TSkinData* target) const {
  if (target == nullptr)
    return true;
  const auto it = owners_.find(target);
  return it != owners_.end() && it->second == form.Handle();
}

void TSkinManage::Restore(TWinSkinForm& form) {
  form.Restore();
  form.SetStage(kStageFinished);
}

void TSkinManage::Sweep() {
  std::erase_if(forms_, [](const auto& form) {
    return form->Stage() == kStageFinished || !IsWindow(form->Handle());
  });
}

void TSkinManage::MdiChildStateChanged(HWND frame) {
  if (window_ != nullptr)
    PostMessageA(window_, kMsgMdiMaximize, 0, reinterpret_cast<LPARAM>(frame));
}

TWinSkinForm* TSkinManage::FormOf(HWND window) const {
  for (const auto& form : forms_)
    if (form->Handle() == window && form->Stage() != kStageFinished)
      return form.get();
  return nullptr;
}

std::vector<HWND> TSkinManage::SkinnedWindows() const {
  std::vector<HWND> windows;
  for (const auto& form : forms_)
    if (form->Stage() != kStageFinished)
      windows.push_back(form->Handle());
  return windows;
}

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  TSkinManage* manager = instance;
  if (manager != nullptr && manager->hook_ != nullptr) {
    Application::Get().Guard([&] {
      HWND window = reinterpret_cast<HWND>(wParam);
      if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        // A size grip on a skinned window: its form skins it.
        if (create->lpcs != nullptr && (create->lpcs->style & SBS_SIZEGRIP) != 0 &&
            (create->lpcs->style & WS_CHILD) != 0 &&
            lstrcmpiA(ClassOf(window).c_str(), "ScrollBar") == 0)
          if (TWinSkinForm* form = manager->FormOf(create->lpcs->hwndParent))
            form->SkinGrip(window);
        TSkinData* main = MainSkinData(manager->components_);
        manager->popups_.Created(window, main != nullptr && main->Active() ? main : nullptr,
                                 manager->skinningOn_);
        // MDI children are skinned at once, before they first show.
        if (create->lpcs != nullptr && (create->lpcs->dwExStyle & WS_EX_MDICHILD) != 0 &&
            manager->skinningOn_)
          manager->SkinWindow(window);
      } else if (code == HCBT_ACTIVATE) {
        manager->SkinWindow(window);
      }
    });
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TSkinManage::SkinWindow(HWND window) {
  if (window == nullptr || !IsWindow(window))
    return;
  WindowDescription description;
  description.className = ClassOf(window);
  RECT rect;
  GetWindowRect(window, &rect);
  description.rect = {rect.left, rect.top, rect.right, rect.bottom};
  description.style = static_cast<WindowStyle>(GetWindowLongA(window, GWL_STYLE));
  description.exStyle = static_cast<WindowStyle>(GetWindowLongA(window, GWL_EXSTYLE));
  description.inList = FormOf(window) != nullptr;
  description.answersSkinned = !description.inList && skinningOn_ && AnswersSkinned(window);
  const NativeControl* control = NativeControl::FromHandle(window);
  if (control == nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
    control = reinterpret_cast<const NativeControl*>(SendMessageA(window, controlMessage_, 0, 0));
  description.controlFound = control != nullptr;
  description.ownModule = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)) ==
                          GetModuleHandleA(nullptr);
  if (control != nullptr)
    description.formTag = control->Model().Tag();
  for (const auto& [data, owner] : owners_)
    if (owner == window)
      description.ownedSkinData.push_back(data);
  const WindowVerdict verdict =
      QualifyWindow(description, components_, skinningOn_ ? Skinning::On : Skinning::Off);
  if (verdict.result != Qualification::Qualifies || verdict.data == nullptr)
    return;
  TSkinData& data = *verdict.data;
  const auto handle = reinterpret_cast<std::uintptr_t>(window);
  if (data.OnBeforeSkinForm)
    data.OnBeforeSkinForm(data, handle, description.className);
  forms_.push_back(std::make_unique<TWinSkinForm>(window, data, *this));
  // A manager that skins windows runs: a later request to switch skinning off is carried out,
  // not only recorded.
  running_ = true;
  PostMessageA(window, kMsgStartSkinning, 0, kStartSkinningParam);
  if (data.OnAfterSkinForm)
    data.OnAfterSkinForm(data, handle, description.className);
}

} // namespace tw::win
