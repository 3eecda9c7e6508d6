#pragma once
// TSkinManage on Win32: the process-wide skin manager. It watches window creation and
// activation on the user-interface thread through a computer-based-training hook, gives every
// qualifying top-level window a TWinSkinForm, and runs the activate / deactivate / reload
// actions that the skin components request, from a timer after their delay.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "skin/model/skin_data.h"
#include "skin/model/skin_manager.h"
#include "skin/win32/engine/win_skin_form.h"
#include "skin/win32/menus/win_skin_popmenu.h"

namespace tw::win {

class TSkinManage final : public SkinManagerApi, public FormManager {
public:
  TSkinManage();
  ~TSkinManage() override;
  TSkinManage(const TSkinManage&) = delete;
  TSkinManage& operator=(const TSkinManage&) = delete;

  // The manager that runs the thread's hook, if any.
  static TSkinManage* Instance();

  bool Exists() const override { return created_; }
  void Create() override;
  void Register(TSkinData& data) override;
  void Unregister(TSkinData& data) override;
  void InstallCreationHook() override;
  void SetRunning() override { running_ = true; }
  bool Running() const override { return running_; }
  void RequestAction(TSkinData& data, SkinAction action, int delayMs, SkinScope scope) override;
  void SkinOwnerForm(TSkinData& data) override;

  // The window of the form that carries the component (for components of one form only).
  void SetOwnerWindow(TSkinData& data, HWND window) { owners_[&data] = window; }
  // Managers of a library's windows, switched along with this one.
  void AddSubordinate(TSkinManage& manager);
  void RemoveSubordinate(TSkinManage& manager);

  bool SkinningOn() const { return skinningOn_; }
  // The qualification test; a qualifying window gets its TWinSkinForm and the start message.
  void SkinWindow(HWND window);
  TWinSkinForm* FormOf(HWND window) const;
  std::vector<HWND> SkinnedWindows() const;
  // "ControlOfs%.8X%.8X" registered as a window message: a control answers it with its object.
  UINT ControlMessage() const { return controlMessage_; }
  // The manager's own (message-only) window: deferred MDI messages go there.
  HWND Window() const { return window_; }
  // Popup menu windows skinned now.
  std::size_t SkinnedPopupCount() const { return popups_.Count(); }

  // FormManager
  const Bitmap32* PopupBackgroundOf(HWND popup) const override {
    return popups_.BackgroundOf(popup);
  }
  void MdiChildStateChanged(HWND frame) override;

private:
  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ManagerWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnTimer();
  void Activate(TSkinData* target);
  void Deactivate(TSkinData* target);
  void Reload(TSkinData* target);
  void Sweep();
  void Restore(TWinSkinForm& form);
  bool Affects(const TWinSkinForm& form, TSkinData* target) const;

  bool created_ = false;
  bool running_ = false;
  bool skinningOn_ = false;
  HHOOK hook_ = nullptr;
  SkinnedPopups popups_;
  DWORD platformVersion_ = 0;
  HWND window_ = nullptr; // message-only: the timer and the deferred MDI messages
  UINT controlMessage_ = 0;
  SkinAction pending_ = SkinAction::Activate;
  bool hasPending_ = false;
  TSkinData* pendingTarget_ = nullptr;
  SkinScope pendingScope_ = SkinScope::Application;
  std::vector<TSkinData*> components_;
  std::map<TSkinData*, HWND> owners_;
  std::vector<std::unique_ptr<TWinSkinForm>> forms_;
  std::vector<TSkinManage*> subordinates_;
};

} // namespace tw::win
