#include "skin/paint/frame_cache.h"

namespace tw {

FrameKey& FrameKey::Add(std::int64_t value) {
  return AddBytes(&value, sizeof(value));
}

FrameKey& FrameKey::Add(std::string_view text) {
  // The length first, so that ("ab", "c") and ("a", "bc") differ.
  Add(static_cast<std::int64_t>(text.size()));
  bytes_.append(text);
  return *this;
}

FrameKey& FrameKey::Add(Rect r) {
  return Add(r.left).Add(r.top).Add(r.right).Add(r.bottom);
}

FrameKey& FrameKey::AddBytes(const void* data, std::size_t size) {
  bytes_.append(static_cast<const char*>(data), size);
  return *this;
}

} // namespace tw
