#include "skin/model/skin_data.h"

#include <fstream>
#include <iterator>

#include "runtime/little_endian.h"
#include "runtime/seam.h"

namespace tw {

namespace {

SkinManagerApi& Manager() {
  return Seam<SkinManagerApi>::Get();
}

} // namespace

TSkinData::TSkinData(SkinOwnerKind owner) : owner_(owner) {
  Skin3rd.Assign(DefaultSkin3rd());
}

TSkinData::~TSkinData() {
  if (registered_ && Seam<SkinManagerApi>::Installed())
    Manager().Unregister(*this);
}

void TSkinData::ReadSkinStream(std::span<const std::uint8_t> envelope) {
  archive_.clear();
  if (envelope.size() >= 4) {
    const std::int32_t count = static_cast<std::int32_t>(le::U32(envelope));
    if (count > 0) {
      // A count beyond the stored bytes keeps what is there.
      const std::size_t n =
          std::min<std::size_t>(static_cast<std::size_t>(count), envelope.size() - 4);
      archive_.assign(envelope.begin() + 4, envelope.begin() + 4 + static_cast<std::ptrdiff_t>(n));
    }
  }
  if (!designing_ && !archive_.empty())
    LoadSkin();
}

std::vector<std::uint8_t> SkinEnvelope(std::span<const std::uint8_t> skinFile) {
  std::vector<std::uint8_t> out;
  out.reserve(skinFile.size() + 4);
  le::PutU32(out, static_cast<std::uint32_t>(skinFile.size()));
  out.insert(out.end(), skinFile.begin(), skinFile.end());
  return out;
}

std::vector<std::uint8_t> TSkinData::WriteSkinStream() const {
  return SkinEnvelope(archive_);
}

std::string TSkinData::SkinStore() const {
  return designing_ && !archive_.empty() ? "(Good)" : "(none)";
}

void TSkinData::Loaded() {
  reading_ = false;
  SkinPlatform& platform = Seam<SkinPlatform>::Get();
  SkinManagerApi& manager = Manager();
  if (!platform.HasScrollBarInfo())
    SkinControls.Exclude(TSkinControlType::xcScrollbar);
  if (!manager.Exists())
    manager.Create();
  if (!registered_) {
    manager.Register(*this);
    registered_ = true;
  }
  captionFont_ = platform.SystemCaptionFont();
  menuGlyphs_ = platform.LoadProgramBitmap(ProgramBitmap::MenuGlyphs);

  if (SkinFormtype != TSkinFormType::sfMainform) {
    manager.SetRunning();
    if (active_ && owner_ == SkinOwnerKind::Form)
      manager.SkinOwnerForm(*this);
    return;
  }
  manager.InstallCreationHook();
  if (active_) {
    if (noSkin_)
      active_ = false;
    else
      Request(SkinAction::Activate, SkinScope::Application);
  }
  if (SkinControls.Contains(TSkinControlType::xcMainMenu))
    SkinControls.Exclude(TSkinControlType::xcMenuItem);
  else
    SkinControls.Exclude(TSkinControlType::xcSystemMenu);
  smallIcon_ = platform.ApplicationSmallIcon();
}

void TSkinData::Request(SkinAction action, SkinScope scope) {
  Manager().RequestAction(*this, action, kSkinActionDelayMs, scope);
}

void TSkinData::SetActive(bool value) {
  const bool changed = value != active_;
  active_ = value;
  if (reading_ || designing_ || !changed)
    return;
  SkinScope scope = SkinScope::Application;
  if (SkinFormtype == TSkinFormType::sfOnlyThisForm)
    scope = SkinScope::OwnerForm;
  else if (SkinFormtype != TSkinFormType::sfMainform)
    return;
  if (!value) {
    Request(SkinAction::Deactivate, scope);
    return;
  }
  if (noSkin_)
    return;
  Request(SkinAction::Activate, scope);
  Manager().SetRunning();
}

void TSkinData::SetSkinFile(const std::string& path) {
  skinFile_ = path;
  if (designing_) {
    archive_.clear();
    return;
  }
  if (reading_)
    return;
  std::ifstream file(path, std::ios::binary);
  if (!file)
    return;
  archive_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (LoadSkin())
    ApplySkin();
}

void TSkinData::ApplySkin() {
  SkinManagerApi& manager = Manager();
  if (manager.Exists() && manager.Running())
    Request(SkinAction::Reload, SkinFormtype == TSkinFormType::sfOnlyThisForm
                                    ? SkinScope::OwnerForm
                                    : SkinScope::Application);
}

void TSkinData::SkinChanged() {
  if (OnSkinChanged)
    OnSkinChanged(*this);
}

} // namespace tw
