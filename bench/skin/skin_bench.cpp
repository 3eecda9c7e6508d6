// Skin speed: LZHUF decoding of the embedded archive, the whole LoadSkin, and composing the main
// window's skinned frame (a whole non-client paint, and the caption alone as a hover repaint
// needs it).
#include <benchmark/benchmark.h>

#include "runtime/seam.h"
#include "skin/embedded_skin.h"
#include "skin/form_frame.h"
#include "skin/lzh.h"
#include "skin/skin_data.h"

namespace {

using namespace tw;

std::uint32_t DeclaredLength(std::span<const std::uint8_t> skinFile) {
  return skinFile[0] | (skinFile[1] << 8) | (skinFile[2] << 16) |
         (static_cast<std::uint32_t>(skinFile[3]) << 24);
}

void BM_LzhufDecodeEmbeddedSkin(benchmark::State& state) {
  const std::span<const std::uint8_t> skinFile = EmbeddedSkinStream().subspan(4);
  const std::uint32_t length = DeclaredLength(skinFile);
  TMemoryStream source(skinFile);
  for (auto _ : state) {
    source.SetPosition(4);
    TMemoryStream out;
    TLZH().Unpack(source, out, length);
    benchmark::DoNotOptimize(out.Bytes().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * length);
  state.counters["archive_bytes"] = length;
}
BENCHMARK(BM_LzhufDecodeEmbeddedSkin)->Unit(benchmark::kMillisecond);

void BM_LoadSkinEmbedded(benchmark::State& state) {
  PortableSkinPlatform platform;
  PortableSkinManager manager;
  ScopedSeam<SkinPlatform> platformSeam(platform);
  ScopedSeam<SkinManagerApi> managerSeam(manager);
  TSkinData data;
  data.SetDesigning(true); // store the archive without loading it
  data.ReadSkinStream(EmbeddedSkinStream());
  data.SetDesigning(false);
  for (auto _ : state) {
    const bool loaded = data.LoadSkin();
    benchmark::DoNotOptimize(loaded);
  }
}
BENCHMARK(BM_LoadSkinEmbedded)->Unit(benchmark::kMillisecond);

// The main window's frame: 833 x 590 client area inside the embedded skin's borders.
class MainWindowFrame {
public:
  MainWindowFrame() {
    data.BeginReading();
    data.ReadSkinStream(EmbeddedSkinStream());
    data.Loaded();
    buttons = FormCaptionButtons(data.Model(), Bitmap32(16, 16, 0x2060A0));
    input.skin = &data.Model();
    input.facts.border = BorderStyle::Single;
    input.facts.icons = BorderIcons{BorderIcon::SystemMenu, BorderIcon::Minimize};
    input.geometry =
        ComputeGeometry(data.Model(), input.facts.border, WindowMenu::Absent, MdiRole::None, {});
    input.width = 833 + input.geometry.left + input.geometry.right;
    input.height = 590 + input.geometry.Top() + input.geometry.bottom;
    LayoutInput li;
    li.windowWidth = input.width;
    li.windowHeight = input.height;
    li.geometry = input.geometry;
    li.facts = input.facts;
    li.textWidth = 160;
    li.textHeight = 13;
    layout = LayoutFrame(data.Model(), buttons, li, nullptr);
    input.layout = &layout;
    input.buttons = buttons;
    input.caption = " Trailwick";
  }

  PortableSkinPlatform platform;
  PortableSkinManager manager;
  ScopedSeam<SkinPlatform> platformSeam{platform};
  ScopedSeam<SkinManagerApi> managerSeam{manager};
  TSkinData data;
  std::vector<TDataSkinSysButton> buttons;
  FrameLayout layout;
  FrameImageInput input;
};

void BM_ComposeMainWindowFrame(benchmark::State& state) {
  MainWindowFrame frame;
  for (auto _ : state) {
    FramePieces pieces = ComposeFrame(frame.input, nullptr);
    benchmark::DoNotOptimize(pieces.caption.image.Pixels().data());
  }
}
BENCHMARK(BM_ComposeMainWindowFrame)->Unit(benchmark::kMicrosecond);

void BM_ComposeMainWindowCaption(benchmark::State& state) {
  MainWindowFrame frame;
  frame.layout.buttons[0].state = NcState::Hover;
  for (auto _ : state) {
    Bitmap32 caption = ComposeCaption(frame.input, nullptr);
    benchmark::DoNotOptimize(caption.Pixels().data());
  }
}
BENCHMARK(BM_ComposeMainWindowCaption)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
