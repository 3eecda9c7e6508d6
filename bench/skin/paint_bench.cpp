// Composition speed of the control painters with the shipped skin: the portable share of a
// hover repaint, a scroll step of a list's overlay and a page control's repaint.
#include <benchmark/benchmark.h>

#include "runtime/seam.h"
#include "skin/model/embedded_skin.h"
#include "skin/model/portable_skin_manager.h"
#include "skin/model/skin_data.h"
#include "skin/paint/paint_scroll.h"
#include "skin/paint/paint_tab.h"

namespace {

using namespace tw;

class LoadedSkin {
public:
  LoadedSkin() {
    data_.BeginReading();
    data_.ReadSkinStream(EmbeddedSkinStream());
    data_.Loaded();
  }
  const SkinModel& Model() const { return data_.Model(); }

private:
  PortableSkinPlatform platform_;
  PortableSkinManager manager_;
  ScopedSeam<SkinPlatform> platformSeam_{platform_};
  ScopedSeam<SkinManagerApi> managerSeam_{manager_};
  TSkinData data_;
};

void BM_ComposeHoveredButton(benchmark::State& state) {
  LoadedSkin skin;
  BlockTextPainter text;
  PushButtonPaint paint;
  paint.caption = "Save Selected Item";
  paint.state.bits = kButtonHover;
  Bitmap32 button(130, 25);
  for (auto _ : state) {
    ComposePushButton(button, skin.Model(), paint, text);
    benchmark::DoNotOptimize(button.Pixels().data());
  }
}
BENCHMARK(BM_ComposeHoveredButton)->Unit(benchmark::kMicrosecond);

void BM_ComposeListScrollBar(benchmark::State& state) {
  LoadedSkin skin;
  ScrollBarPaint paint;
  paint.orientation = BarOrientation::Vertical;
  paint.info.bar = {0, 0, 17, 420};
  Bitmap32 bar(17, 420);
  int top = 17;
  for (auto _ : state) {
    // One step further down each time, as a scrolled list reports it.
    top = top >= 380 ? 17 : top + 1;
    paint.info.thumbTop = top;
    paint.info.thumbBottom = top + 20;
    ComposeScrollBar(bar, skin.Model(), paint);
    benchmark::DoNotOptimize(bar.Pixels().data());
  }
}
BENCHMARK(BM_ComposeListScrollBar)->Unit(benchmark::kMicrosecond);

void BM_ComposePageControl(benchmark::State& state) {
  LoadedSkin skin;
  BlockTextPainter text;
  TabPaint paint;
  paint.adjusted = {4, 26, 829, 496};
  paint.tabs = {{{2, 2, 90, 22}, "Windows Artifacts"}, {{90, 2, 200, 22}, "Other Artifacts"}};
  paint.focused = 0;
  Bitmap32 control(833, 500);
  for (auto _ : state) {
    ComposeTabs(control, skin.Model(), paint, text);
    benchmark::DoNotOptimize(control.Pixels().data());
  }
}
BENCHMARK(BM_ComposePageControl)->Unit(benchmark::kMicrosecond);

} // namespace
