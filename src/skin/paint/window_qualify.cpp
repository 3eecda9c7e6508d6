#include "skin/paint/window_qualify.h"

#include <algorithm>

#include "runtime/ansi_text.h"

namespace tw {

namespace {

bool Loaded(const TSkinData* data) {
  return data != nullptr && !data->NoSkin();
}

TSkinData* FirstOfType(std::span<TSkinData* const> registered, TSkinFormType type) {
  for (TSkinData* data : registered)
    if (Loaded(data) && data->SkinFormtype == type)
      return data;
  return nullptr;
}

// Rule 6: the main component's options and its OnFormSkin handler.
bool DataAllows(TSkinData& main, const WindowDescription& window) {
  const std::string lower = AsciiLowerCase(window.className);
  if (!main.Options.Contains(TSkinOption::xoPreview) && lower.find("preview") != std::string::npos)
    return false;
  if (window.className == "#32770" && (window.style & kDsSetForeground) != 0)
    return false;
  if (lower == "tpopupdbtreeview")
    return false;
  if (main.OnFormSkin) {
    bool doSkin = true;
    main.OnFormSkin(main, window.className, doSkin);
    return doSkin;
  }
  if (window.className == "SysMonthCal32")
    return false;
  if (main.SkinControls.Contains(TSkinControlType::xcFastReport) &&
      window.className.starts_with("Tfr"))
    return false;
  return true;
}

} // namespace

TSkinData* MainSkinData(std::span<TSkinData* const> registered) {
  for (TSkinData* data : registered)
    if (data != nullptr && data->SkinFormtype == TSkinFormType::sfMainform)
      return data;
  return registered.empty() ? nullptr : registered.front();
}

TSkinData* ResponsibleSkinData(const WindowDescription& window,
                               std::span<TSkinData* const> registered) {
  for (TSkinData* data : registered)
    if (Loaded(data) && data->SkinFormtype == TSkinFormType::sfOnlyThisForm &&
        std::find(window.ownedSkinData.begin(), window.ownedSkinData.end(), data) !=
            window.ownedSkinData.end())
      return data;
  const std::string lower = AsciiLowerCase(window.className);
  if (lower == "tmessageform" || lower == "#32770")
    if (TSkinData* dialog = FirstOfType(registered, TSkinFormType::sfDialog))
      return dialog;
  if (TSkinData* main = FirstOfType(registered, TSkinFormType::sfMainform))
    return main;
  if (!registered.empty() && Loaded(registered.front()))
    return registered.front();
  return nullptr;
}

WindowVerdict QualifyWindow(const WindowDescription& window, std::span<TSkinData* const> registered,
                            Skinning skinning) {
  WindowVerdict verdict;
  auto refuse = [&](Qualification why) {
    verdict.result = why;
    return verdict;
  };
  if (skinning == Skinning::Off)
    return refuse(Qualification::SkinningOff);
  if (window.answersSkinned || window.inList)
    return refuse(Qualification::AlreadySkinned);
  const bool standardDialog = window.className == "#32770";
  if (!window.controlFound && !window.ownModule && !standardDialog)
    return refuse(Qualification::NotOurs);
  if (window.rect.Empty() && (window.exStyle & kWsExMdiChild) == 0)
    return refuse(Qualification::EmptyRect);
  if (window.formTag == kUnskinnedFormTag)
    return refuse(Qualification::FormTag);
  if (window.className.find("TcxPopupEditPopupWindow") != std::string::npos ||
      window.className.find("TTERenderWindow") != std::string::npos ||
      window.className == "TApplication")
    return refuse(Qualification::ClassRefused);
  TSkinData* main = MainSkinData(registered);
  if (main != nullptr && !DataAllows(*main, window))
    return refuse(Qualification::DataRefused);
  verdict.data = ResponsibleSkinData(window, registered);
  if (verdict.data == nullptr)
    return refuse(Qualification::NoSkinData);
  verdict.result = Qualification::Qualifies;
  verdict.owner = window.controlFound ? FrameOwner::Form : FrameOwner::Unowned;
  return verdict;
}

} // namespace tw
