#pragma once
// The last composition of a control, kept with a key made of everything it was composed from
// (size, state, text, font, skin): repainting a control that has not changed is a copy of the
// kept pixels, not a new composition. Composing a page control's pane or a button's nine
// slices costs far more than copying them.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "skin/model/bitmap.h"
#include "skin/paint/paint_button.h"

namespace tw {

class FrameKey {
public:
  FrameKey& Add(std::int64_t value);
  template <typename E>
  requires std::is_enum_v<E> FrameKey& Add(E value) {
    return Add(static_cast<std::int64_t>(value));
  }
  FrameKey& Add(std::string_view text);
  FrameKey& Add(Rect r);
  // Raw bytes (a font description, for instance).
  FrameKey& AddBytes(const void* data, std::size_t size);
  const std::string& Bytes() const { return bytes_; }

private:
  std::string bytes_;
};

class ComposedFrame {
public:
  // The frame for the key, of width x height: the kept one when the key and size are those of
  // the last call, otherwise `compose(bitmap)` draws into a fresh bitmap of that size and its
  // answer is kept with it. Returns null when the composer left the standard look.
  template <typename Compose>
  const Bitmap32* Get(const FrameKey& key, int width, int height, Compose&& compose) {
    if (!valid_ || key.Bytes() != key_ || frame_.Width() != width || frame_.Height() != height) {
      frame_ = Bitmap32(width, height);
      skin_ = compose(frame_) == Painted::Skin;
      key_ = key.Bytes();
      valid_ = true;
      ++compositions_;
    }
    return skin_ ? &frame_ : nullptr;
  }
  // The next Get composes anew.
  void Forget() { valid_ = false; }
  // How many times Get composed (for benchmarks and tests).
  int Compositions() const { return compositions_; }

private:
  bool valid_ = false;
  bool skin_ = false;
  std::string key_;
  Bitmap32 frame_;
  int compositions_ = 0;
};

} // namespace tw
