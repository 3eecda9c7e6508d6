#pragma once
// The skin component's view of the process-wide skin manager. The manager runs requested
// actions from a timer after a delay and fires the component's OnSkinChanged after each; the
// Win32 build provides the real manager (PortableSkinManager stands in for it elsewhere).

namespace tw {

class TSkinData;

enum class SkinAction { Activate = 1, Deactivate = 2, Reload = 3 };

// Which windows an action affects: every form of the application, or only the component's
// owner form.
enum class SkinScope { Application, OwnerForm };

inline constexpr int kSkinActionDelayMs = 250;

class SkinManagerApi {
public:
  virtual ~SkinManagerApi() = default;

  virtual bool Exists() const = 0;
  virtual void Create() = 0;
  virtual void Register(TSkinData& data) = 0;
  virtual void Unregister(TSkinData& data) = 0;
  // Installs the window-creation hook of the user-interface thread.
  virtual void InstallCreationHook() = 0;
  virtual void SetRunning() = 0;
  virtual bool Running() const = 0;
  virtual void RequestAction(TSkinData& data, SkinAction action, int delayMs, SkinScope scope) = 0;
  // Skins the component's owner form at once.
  virtual void SkinOwnerForm(TSkinData& data) = 0;
};

} // namespace tw
