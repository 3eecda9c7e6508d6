// Skin loading speed: LZHUF decoding of the embedded archive and the whole LoadSkin.
#include <benchmark/benchmark.h>

#include "runtime/seam.h"
#include "skin/embedded_skin.h"
#include "skin/little_endian.h"
#include "skin/lzh.h"
#include "skin/skin_data.h"

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

} // namespace

BENCHMARK_MAIN();
