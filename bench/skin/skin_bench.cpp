// Skin speed: LZHUF decoding of the embedded archive, the whole LoadSkin, and composing the main
// window's skinned frame (a whole non-client paint, and the caption alone as a hover repaint
// needs it); a whole menu-bar paint, a popup window's background and one owner-drawn item.
#include <benchmark/benchmark.h>

#include "runtime/little_endian.h"
#include "runtime/seam.h"
#include "skin/model/embedded_skin.h"
#include "skin/model/lzh.h"
#include "skin/model/portable_skin_manager.h"
#include "skin/model/skin_data.h"
#include "skin/paint/form_frame.h"
#include "skin/paint/menu_bar.h"
#include "skin/paint/menu_popup.h"
#include "support/recording_host.h"

namespace {

using namespace tw;

void BM_LzhufDecodeEmbeddedSkin(benchmark::State& state) {
  const std::span<const std::uint8_t> skinFile = EmbeddedSkinStream().subspan(4);
  const std::uint32_t length = le::U32(skinFile);
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

// Text costs what the platform's font costs; here only the composition is timed.
class NoText : public MenuTextRenderer {
public:
  int Width(std::u16string_view text) const override { return 7 * static_cast<int>(text.size()); }
  void Draw(Bitmap32&, Rect, std::u16string_view, TColor, MenuTextAlign) const override {}
};

// A 833-pixel bar of six items, as a main window with a menu would have it.
void BM_PaintMenuBar(benchmark::State& state) {
  MainWindowFrame frame;
  NoText text;
  test::RecordingHost host;
  TWinSkinMenu menu(frame.data.Model(), host, text);
  const std::vector<MenuItemDescription> items = {
      {u"&File", true, true, 1, 1, nullptr},   {u"&Edit", true, true, 2, 2, nullptr},
      {u"&View", true, true, 3, 3, nullptr},   {u"&Tools", true, true, 4, 4, nullptr},
      {u"&Window", true, true, 5, 5, nullptr}, {u"&Help", true, true, 6, 6, nullptr}};
  menu.Build(items);
  menu.Layout(Rect::FromSize(4, 30, 833, 19), MenuDirection::LeftToRight);
  for (auto _ : state) {
    Bitmap32 bar = menu.Paint(Activity::Active);
    benchmark::DoNotOptimize(bar.Pixels().data());
  }
}
BENCHMARK(BM_PaintMenuBar)->Unit(benchmark::kMicrosecond);

// A system-menu sized popup: its background and ring, then seven items over the cache.
void BM_PaintPopupMenu(benchmark::State& state) {
  MainWindowFrame frame;
  NoText text;
  const Bitmap32 glyphs(64, 16, 0xFFFFFF);
  TWinSkinPopMenu popup(frame.data.Model(), 1, false);
  MenuItemState item;
  item.caption = u"&Close";
  item.shortcut = u"Alt+F4";
  item.glyph = MenuGlyph::Close;
  for (auto _ : state) {
    std::vector<RingPiece> ring = popup.PaintFrame(180, 6 + 7 * 20);
    benchmark::DoNotOptimize(ring.data());
    for (int i = 0; i < 7; ++i) {
      const MenuItemDrawInput in{&frame.data.Model(),
                                 MenuKind::PopupMenu,
                                 Rect::FromSize(0, 20 * i, 174, 20),
                                 &popup.Cache(),
                                 &glyphs,
                                 &text};
      item.selected = i == 3 ? MenuSelected::Yes : MenuSelected::No;
      Bitmap32 image = ComposeMenuItem(in, item);
      benchmark::DoNotOptimize(image.Pixels().data());
    }
  }
}
BENCHMARK(BM_PaintPopupMenu)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
