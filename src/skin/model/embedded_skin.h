#pragma once
// The skin that ships inside the program: the stored SkinStream property of the main window
// (i32 byte count, then the skin file image), generated at build time by skingen and skinpack.

#include <cstdint>
#include <span>

namespace tw {

std::span<const std::uint8_t> EmbeddedSkinStream();

} // namespace tw
