// Transaction-log recovery and the reader behind it, over a primary and one or two logs cut
// from the input: the first two 16-bit numbers are the lengths of the primary and of the first
// log; what follows them is the second log. A recovered image must carry a sound, clean base
// block; an image that was not recovered must come back as it went in. Whatever came out is
// then opened and walked whole, as the command line reads it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "hive/base_block.h"
#include "hive/hive.h"
#include "hive/recovery.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4)
    return 0;
  const std::size_t primarySize = data[0] | (data[1] << 8);
  const std::size_t firstLogSize = data[2] | (data[3] << 8);
  const uint8_t* rest = data + 4;
  std::size_t left = size - 4;
  const std::size_t primaryTaken = primarySize < left ? primarySize : left;
  std::vector<uint8_t> image(rest, rest + primaryTaken);
  rest += primaryTaken;
  left -= primaryTaken;
  const std::size_t firstTaken = firstLogSize < left ? firstLogSize : left;
  std::vector<tw::hive::LogFile> logs;
  logs.push_back({"fuzz.LOG1", std::vector<uint8_t>(rest, rest + firstTaken)});
  if (left > firstTaken)
    logs.push_back({"fuzz.LOG2", std::vector<uint8_t>(rest + firstTaken, rest + left)});

  const std::vector<uint8_t> before = image;
  const tw::hive::RecoveryReport report = tw::hive::Recover(image, logs);
  const auto base = tw::hive::ParseBaseBlock(image);
  if (report.state == tw::hive::RecoveryState::Recovered) {
    if (!base || !base->checksumValid || base->Dirty())
      __builtin_trap();
  } else if (image != before) {
    __builtin_trap();
  }
  try {
    const tw::hive::Hive hive(std::move(image));
    std::vector<tw::hive::ValueRecord> values;
    std::vector<uint8_t> bytes;
    tw::hive::Walk(hive, *hive.Key(hive.Root()), [&](const tw::hive::KeyNode& key, int) {
      values.clear();
      hive.Values(key, values);
      for (const tw::hive::ValueRecord& v : values)
        hive.Data(v, bytes);
    });
  } catch (const tw::hive::HiveError&) {
  }
  return 0;
}
