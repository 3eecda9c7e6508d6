#pragma once
// TSkinData: the skin component a form carries. It owns the stored skin archive, loads the
// skin definition and its bitmaps into the SkinModel that every painter reads, and switches
// skinning on and off through the skin manager.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "runtime/strings.h"
#include "skin/model/enum_set.h"
#include "skin/model/skin_manager.h"
#include "skin/model/skin_objects.h"
#include "skin/model/skin_platform.h"

namespace tw {

class TControl;
class TSkinControl;
class TWinSkinForm;
class TQuickIni;

enum class TSkinControlType {
  xcMainMenu,
  xcPopupMenu,
  xcMenuItem,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcSpin,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcTrackBar,
  xcSystemMenu,
  xcFastReport,
};

enum class TSkinOption {
  xoMDIScrollbar,
  xoMenuMerge,
  xoTransparent,
  xoPreview,
  xoParentBackGround,
  xoNoFocusRect,
  xoToolbarBK,
  xoToolbarButton,
  xoMDIChildBorder,
  xoMenuBG,
  xoCaptionButtonHint,
  xoFormScrollbar,
};

enum class TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

using TSkinControlTypes = EnumSet<TSkinControlType>;
using TSkinOptions = EnumSet<TSkinOption>;

inline constexpr std::uint32_t kDefaultSkinControlsMask = 0x1FFFFB;
inline constexpr std::uint32_t kDefaultSkinOptionsMask = 1096;
inline constexpr const char* kSkinEngineVersion = "5.20.05.20";

// The 118 "ClassName=kind" lines that Skin3rd holds at creation.
std::vector<std::string> DefaultSkin3rd();

// Who carries the component.
enum class SkinOwnerKind { None, Form, Other };

class TSkinData {
public:
  explicit TSkinData(SkinOwnerKind owner = SkinOwnerKind::Form);
  ~TSkinData();
  TSkinData(const TSkinData&) = delete;
  TSkinData& operator=(const TSkinData&) = delete;

  // Published properties without behaviour of their own.
  int DisableTag = 99;
  TSkinControlTypes SkinControls = TSkinControlTypes::FromMask(kDefaultSkinControlsMask);
  TSkinOptions Options = TSkinOptions::FromMask(kDefaultSkinOptionsMask);
  TStringList Skin3rd;
  TSkinFormType SkinFormtype = TSkinFormType::sfMainform;
  bool MenuUpdate = true;
  bool MenuMerge = false;

  // Events.
  std::function<void(TSkinData& sender, const std::string& aName, bool& doSkin)> OnFormSkin;
  std::function<void(TSkinData& sender)> OnSkinChanged;
  std::function<void(TWinSkinForm* sender, TSkinData& skinData, TControl* form, TControl* control,
                     const std::string& controlClass, TSkinControl*& skinnedControl)>
      OnSkinControl;
  std::function<void(TSkinData& sender, std::uintptr_t ahwnd, const std::string& aName)>
      OnBeforeSkinForm;
  std::function<void(TSkinData& sender, std::uintptr_t ahwnd, const std::string& aName)>
      OnAfterSkinForm;

  bool Active() const { return active_; }
  void SetActive(bool value);
  const std::string& SkinFile() const { return skinFile_; }
  void SetSkinFile(const std::string& path);
  // "(Good)" while a form holding a stored archive is being edited, otherwise "(none)".
  std::string SkinStore() const;
  void SetSkinStore(const std::string&) {}
  std::string Version() const { return kSkinEngineVersion; }
  void SetVersion(const std::string&) {}

  // Form data: the stored archive in its envelope (i32 byte count, then the skin file image).
  // Outside the form editor the archive is loaded at once.
  void ReadSkinStream(std::span<const std::uint8_t> envelope);
  std::vector<std::uint8_t> WriteSkinStream() const;
  // The stored skin file image (without the envelope).
  const std::vector<std::uint8_t>& StoredArchive() const { return archive_; }

  // Form-data reading brackets: properties set in between are only stored.
  void BeginReading() { reading_ = true; }
  void Loaded();
  void SetDesigning(bool designing) { designing_ = designing; }

  // Decompresses and parses the stored archive; false when it is rejected (the previous skin,
  // if any, stays).
  bool LoadSkin();
  // Pushes a newly loaded skin to the forms skinned with this component.
  void ApplySkin();

  // Called by the skin manager after each activate, deactivate or reload action.
  void SkinChanged();

  bool NoSkin() const { return noSkin_; }
  const SkinModel& Model() const { return model_; }
  // Counts the skins loaded: what was composed from an earlier model is out of date.
  unsigned Generation() const { return generation_; }
  const CaptionFont& CaptionFontInfo() const { return captionFont_; }
  const Bitmap32& SmallIcon() const { return smallIcon_; }
  const Bitmap32& MenuGlyphs() const { return menuGlyphs_; }

private:
  void Request(SkinAction action, SkinScope scope);

  SkinOwnerKind owner_;
  bool active_ = false;
  bool reading_ = false;
  bool designing_ = false;
  bool noSkin_ = true;
  bool registered_ = false;
  std::string skinFile_;
  std::vector<std::uint8_t> archive_;
  SkinModel model_;
  unsigned generation_ = 0;
  CaptionFont captionFont_;
  Bitmap32 smallIcon_;
  Bitmap32 menuGlyphs_;
};

// The stored-property envelope of a skin file image: its i32 byte count, then the image.
std::vector<std::uint8_t> SkinEnvelope(std::span<const std::uint8_t> skinFile);

} // namespace tw
