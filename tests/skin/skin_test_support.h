#pragma once
// Skin tests: portable platform and manager installed per test, and archives built on the fly.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lzhuf_encoder.h"
#include "runtime/seam.h"
#include "skin/model/bitmap.h"
#include "skin/model/embedded_skin.h"
#include "skin/model/memory_stream.h"
#include "skin/model/portable_skin_manager.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_manager.h"
#include "skin/model/skin_platform.h"

namespace tw::test {

class SkinTest : public testing::Test {
protected:
  PortableSkinPlatform platform;
  PortableSkinManager manager;

private:
  ScopedSeam<SkinPlatform> platformSeam_{platform};
  ScopedSeam<SkinManagerApi> managerSeam_{manager};
};

// The shipped skin, read afresh for each test.
class EmbeddedSkinTest : public SkinTest {
protected:
  void SetUp() override {
    data.BeginReading();
    data.ReadSkinStream(EmbeddedSkinStream());
    data.Loaded();
    ASSERT_FALSE(data.NoSkin());
  }
  const SkinModel& Skin() const { return data.Model(); }
  const TDataSkinObject& El(SkinElement e) const { return *Skin().Element(e); }

  TSkinData data;
};

std::vector<std::uint8_t> Bytes(const std::string& text);

// A skin file image (length + LZHUF stream) of the given entries.
std::vector<std::uint8_t> SkinFileOf(const std::vector<skinpack::ArchiveEntry>& entries);

// The same in its stored-property envelope.
std::vector<std::uint8_t> EnvelopeOf(const std::vector<skinpack::ArchiveEntry>& entries);

// A raw uncompressed archive image with a chosen header, compressed into a skin file image.
std::vector<std::uint8_t> CompressRaw(const std::vector<std::uint8_t>& archive);

// A solid bitmap as a BMP file.
std::vector<std::uint8_t> SolidBmp(int width, int height, Pixel colour);

} // namespace tw::test
