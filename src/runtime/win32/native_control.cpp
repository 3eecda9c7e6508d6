#include "runtime/win32/native_control.h"

#include <algorithm>
#include <cstdio>

#include "runtime/win32/application.h"
#include "runtime/win32/subclass.h"

namespace tw::win {

namespace {

constexpr UINT_PTR kControlSubclassId = 0x54574354; // "TWCT"

// The control object whose window is being created on this thread.
thread_local NativeControl* pendingBind = nullptr;
// The hook that binds them, while the thread has control objects (its forms and their
// controls).
thread_local HHOOK creationHook = nullptr;
thread_local int liveControls = 0;

} // namespace

std::string ControlAtomName() {
  char name[64];
  std::snprintf(name, sizeof(name), "ControlOfs%.8X%.8X",
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(Application::Get().Instance())),
                static_cast<unsigned>(GetCurrentThreadId()));
  return name;
}

ATOM ControlAtom() {
  static const ATOM atom = GlobalAddAtomA(ControlAtomName().c_str());
  return atom;
}

UINT ControlMessage() {
  static const UINT message = RegisterWindowMessageA(ControlAtomName().c_str());
  return message;
}

NativeControl::NativeControl(TControl& model) : model_(model) {
  WindowProc = [this](TMessage& message) { DefaultHandler(message); };
  // The next window this thread creates is this control's: bind it before its first message.
  if (creationHook == nullptr)
    creationHook =
        SetWindowsHookExA(WH_CBT, &NativeControl::CreationHook, nullptr, GetCurrentThreadId());
  ++liveControls;
  pendingBind = this;
}

NativeControl::~NativeControl() {
  if (pendingBind == this)
    pendingBind = nullptr;
  model_.AttachView(nullptr);
  if (handle_ != nullptr && IsWindow(handle_)) {
    RemovePropA(handle_, MAKEINTATOM(ControlAtom()));
    RemoveSubclass(handle_, &NativeControl::SubclassProc, kControlSubclassId);
    DestroyWindow(handle_);
  }
  // The last form has gone with its controls: the thread's window creation runs unhooked.
  if (--liveControls == 0 && creationHook != nullptr) {
    UnhookWindowsHookEx(creationHook);
    creationHook = nullptr;
  }
}

bool NativeControl::CreationHookInstalled() {
  return creationHook != nullptr;
}

LRESULT CALLBACK NativeControl::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && pendingBind != nullptr) {
    NativeControl* control = std::exchange(pendingBind, nullptr);
    control->Attach(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

NativeControl* NativeControl::FromHandle(HWND window) {
  // The chain holds the same object as the property, and is read without a server round trip
  // under Wine.
  DWORD_PTR control = 0;
  if (window == nullptr ||
      !GetSubclassData(window, &NativeControl::SubclassProc, kControlSubclassId, &control))
    return nullptr;
  return reinterpret_cast<NativeControl*>(control);
}

void NativeControl::Attach(HWND window) {
  if (pendingBind == this)
    pendingBind = nullptr;
  if (handle_ == window)
    return;
  handle_ = window;
  SetPropA(window, MAKEINTATOM(ControlAtom()), this);
  SetSubclass(window, &NativeControl::SubclassProc, kControlSubclassId,
              reinterpret_cast<DWORD_PTR>(this));
  model_.AttachView(this);
}

LRESULT NativeControl::CallOriginal(const TMessage& message) const {
  return DefSubclass(handle_, message.msg, message.wParam, message.lParam);
}

void NativeControl::DefaultHandler(TMessage& message) {
  if (!HandleMessage(message))
    message.result = CallOriginal(message);
}

bool NativeControl::HandleMessage(TMessage& /*message*/) {
  return false;
}

bool NativeControl::Reflect(TMessage& /*message*/) {
  return false;
}

void NativeControl::AddHook(const void* owner, MessageHook hook) {
  auto shared = std::make_shared<MessageHook>(std::move(hook));
  for (Hook& entry : hooks_)
    if (entry.owner == owner) {
      entry.hook = std::move(shared);
      return;
    }
  hooks_.push_back({owner, std::move(shared)});
}

void NativeControl::RemoveHook(const void* owner) {
  std::erase_if(hooks_, [&](const Hook& entry) { return entry.owner == owner; });
}

bool NativeControl::HasHook(const void* owner) const {
  return std::any_of(hooks_.begin(), hooks_.end(),
                     [&](const Hook& entry) { return entry.owner == owner; });
}

void NativeControl::Dispatch(TMessage& message) {
  if (hooks_.empty()) {
    WindowProc(message);
    return;
  }
  // A copy: a hook may come off while the message runs through it.
  const std::vector<Hook> hooks = hooks_;
  DispatchFrom(hooks, hooks.size(), message);
}

void NativeControl::DispatchFrom(const std::vector<Hook>& hooks, std::size_t index,
                                 TMessage& message) {
  if (index == 0) {
    WindowProc(message);
    return;
  }
  const MessageHook& hook = *hooks[index - 1].hook;
  hook(message, [&](TMessage& m) { DispatchFrom(hooks, index - 1, m); });
}

LRESULT CALLBACK NativeControl::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR /*id*/, DWORD_PTR data) {
  auto* control = reinterpret_cast<NativeControl*>(data);
  if (msg == WM_NCDESTROY) {
    // The window goes away: unhook before the class procedure sees the last message.
    RemovePropA(window, MAKEINTATOM(ControlAtom()));
    RemoveSubclass(window, &NativeControl::SubclassProc, kControlSubclassId);
    control->handle_ = nullptr;
    return DefSubclass(window, msg, wParam, lParam);
  }
  if (msg == ControlMessage() && !InSendMessage())
    return reinterpret_cast<LRESULT>(control);
  TMessage message{msg, wParam, lParam};
  bool handled = false;
  Application::Get().Guard([&] {
    control->Dispatch(message);
    handled = true;
  });
  return handled ? message.result : DefSubclass(window, msg, wParam, lParam);
}

void NativeControl::ApplyCommon(bool boldFont) {
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Application::Get().Font(boldFont)),
               FALSE);
  // Windows made as their models stand need neither call.
  if ((IsWindowEnabled(handle_) != FALSE) != model_.Enabled())
    EnableWindow(handle_, model_.Enabled());
  if (((GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0) != model_.Visible())
    ShowWindow(handle_, model_.Visible() ? SW_SHOWNA : SW_HIDE);
}

void NativeControl::ModelChanged(TControl& control, ControlChange change) {
  switch (change) {
  case ControlChange::Caption:
    SetWindowTextA(handle_, control.Caption().c_str());
    break;
  case ControlChange::Enabled:
    EnableWindow(handle_, control.Enabled());
    // Handlers do not return to the message loop while they work (batches): paint now.
    UpdateWindow(handle_);
    break;
  case ControlChange::Visible:
    ShowWindow(handle_, control.Visible() ? SW_SHOWNA : SW_HIDE);
    break;
  default:
    break;
  }
}

} // namespace tw::win
