#pragma once
// PortableSkinManager: the skin manager of native builds and tests. It records the requests
// and runs them when asked to, as the Win32 manager's timer would.

#include <vector>

#include "skin/model/skin_manager.h"

namespace tw {

class PortableSkinManager : public SkinManagerApi {
public:
  struct Request {
    TSkinData* data;
    SkinAction action;
    int delayMs;
    SkinScope scope;
  };

  bool Exists() const override { return exists; }
  void Create() override { exists = true; }
  void Register(TSkinData& data) override { registered.push_back(&data); }
  void Unregister(TSkinData& data) override;
  void InstallCreationHook() override { hookInstalled = true; }
  void SetRunning() override { running = true; }
  bool Running() const override { return running; }
  void RequestAction(TSkinData& data, SkinAction action, int delayMs, SkinScope scope) override {
    pending.push_back({&data, action, delayMs, scope});
  }
  void SkinOwnerForm(TSkinData& data) override { ownerFormsSkinned.push_back(&data); }

  // Runs every pending action as the timer would: skinning on or off, then OnSkinChanged.
  void RunPending();

  bool exists = false;
  bool hookInstalled = false;
  bool running = false;
  bool skinningOn = false;
  std::vector<TSkinData*> registered;
  std::vector<Request> pending;
  std::vector<Request> done;
  std::vector<TSkinData*> ownerFormsSkinned;
};

} // namespace tw
