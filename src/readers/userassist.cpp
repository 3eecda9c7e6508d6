#include "readers/userassist.h"

#include "readers/binary_traces.h"
#include "readers/row_times.h"
#include "registry/registry.h"

namespace tw {
namespace {

constexpr const char* kUserAssist0D6D4F41Key =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{0D6D4F41-2994-4BA0-"
    "8FEF-620E43CD2812}\\Count";
constexpr const char* kUserAssist5E6AB780Key =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{5E6AB780-7743-11CF-"
    "A12B-00AA004AE837}\\Count";
constexpr const char* kUserAssist75048700Key =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist\\{75048700-EF1F-11D0-"
    "9888-006097DEACF9}\\Count";

// The last run a usage record keeps: XP's 16-byte records at offset 8, Windows 7's 72-byte
// ones at offset 60; 0 for others.
std::uint64_t LastRunOf(Bytes record) {
  if (record.size() == 16)
    return Le64(record, 8);
  const auto decoded = DecodeUserAssistRecord(record);
  return decoded ? decoded->lastRun : 0;
}

// Numbers the value names and decodes each (the numbers and "=" would pass through unchanged).
void ReadUserAssistKey(ReaderContext& ctx, const char* keyPath) {
  ctx.ListNumberedValueRows(reg::kCurrentUser, keyPath,
                            [](const std::string& name) { return DecodeRot13(name); });
  if (ctx.Times() == TimeKeeping::Dropped)
    return;
  // The rows stand in the order of the value names.
  ListValueNames(reg::kCurrentUser, keyPath, ctx.scratch1);
  for (int i = 0; i < ctx.scratch1.Count() && i < ctx.rows.Count(); ++i)
    if (const auto record = ReadRegValue(reg::kCurrentUser, keyPath, ctx.scratch1[i]))
      ctx.AddTimeAt(i, when::kLastRun, LastRunOf(record->bytes));
}

} // namespace

char DecodeRot13Char(char c) {
  if ((c >= 'A' && c <= 'M') || (c >= 'a' && c <= 'm'))
    return static_cast<char>(c + 13);
  if ((c >= 'N' && c <= 'Z') || (c >= 'n' && c <= 'z'))
    return static_cast<char>(c - 13);
  return c;
}

std::string DecodeRot13(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (const char c : text)
    decoded += DecodeRot13Char(c);
  return decoded;
}

void ReadUserAssist0D6D4F41(ReaderContext& ctx) {
  ReadUserAssistKey(ctx, kUserAssist0D6D4F41Key);
}

void ReadUserAssist5E6AB780(ReaderContext& ctx) {
  ReadUserAssistKey(ctx, kUserAssist5E6AB780Key);
}

void ReadUserAssist75048700(ReaderContext& ctx) {
  ReadUserAssistKey(ctx, kUserAssist75048700Key);
}

} // namespace tw
