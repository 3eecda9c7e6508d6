#include "skin/window_qualify.h"

namespace tw {

TSkinData* MainSkinData(std::span<TSkinData* const>) {
  return nullptr;
}

TSkinData* ResponsibleSkinData(const WindowDescription&, std::span<TSkinData* const>) {
  return nullptr;
}

WindowVerdict QualifyWindow(const WindowDescription&, std::span<TSkinData* const>, Skinning) {
  return {};
}

} // namespace tw
