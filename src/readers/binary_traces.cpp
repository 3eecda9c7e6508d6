#include "readers/binary_traces.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "readers/byte_fields.h"
#include "readers/shell_items.h"
#include "runtime/ansi_text.h"
#include "runtime/code_page.h"

namespace tw {
namespace {

struct CivilDate {
  std::int64_t year;
  unsigned month;
  unsigned day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
CivilDate CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

std::string FormatStamp(long long year, unsigned month, unsigned day, unsigned hour,
                        unsigned minute, unsigned second) {
  char text[80];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02u:%02u:%02u", year, month, day, hour,
                minute, second);
  return text;
}

struct KnownGuid {
  std::string_view guid;
  std::string_view name;
};

// Shell roots of ID lists and the known folders UserAssist names start with.
constexpr std::array<KnownGuid, 43> kKnownGuids = {{
    {"{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "My Computer"},
    {"{208D2C60-3AEA-1069-A2D7-08002B30309D}", "My Network Places"},
    {"{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}", "Network"},
    {"{645FF040-5081-101B-9F08-00AA002F954E}", "Recycle Bin"},
    {"{450D8FBA-AD25-11D0-98A8-0800361B1103}", "My Documents"},
    {"{59031A47-3F72-44A7-89C5-5595FE6B30EE}", "User Files"},
    {"{031E4825-7B94-4DC3-B131-E946B44C8DD5}", "Libraries"},
    {"{679F85CB-0220-4080-B29B-5540CC05AAB6}", "Quick Access"},
    {"{21EC2020-3AEA-1069-A2DD-08002B30309D}", "Control Panel"},
    {"{26EE0668-A00A-44D7-9371-BEB064C98683}", "Control Panel"},
    {"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}", "Desktop"},
    {"{FDD39AD0-238F-46AF-ADB4-6C85480369C7}", "Documents"},
    {"{374DE290-123F-4565-9164-39C4925E467B}", "Downloads"},
    {"{4BD8D571-6D19-48D3-BE97-422220080E43}", "Music"},
    {"{33E28130-4E1E-4676-835A-98395C3BC3BB}", "Pictures"},
    {"{18989B1D-99B5-455B-841C-AB7C74E4DDFC}", "Videos"},
    {"{1AC14E77-02E7-4E5D-B744-2EB1AE5198B7}", "System32"},
    {"{D65231B0-B2F1-4857-A4CE-A8E7C6EA7D27}", "SysWOW64"},
    {"{F38BF404-1D43-42F2-9305-67DE0B28FC23}", "Windows"},
    {"{905E63B6-C1BF-494E-B29C-65B732D3D21A}", "Program Files"},
    {"{6D809377-6AF0-444B-8957-A3773F02200E}", "Program Files"},
    {"{7C5A40EF-A0FB-4BFC-874A-C0F2E0B9FA8E}", "Program Files (x86)"},
    {"{F7F1ED05-9F6D-47A2-AAAE-29D317C6F066}", "Common Files"},
    {"{DE974D24-D9C6-4D3E-BF91-F4455120B917}", "Common Files (x86)"},
    {"{0139D44E-6AFE-49F2-8690-3DAFCAE6FFB8}", "Common Programs"},
    {"{A77F5D77-2E2B-44C3-A6A2-ABA601054A51}", "Programs"},
    {"{625B53C3-AB48-4EC1-BA1F-A1EF4146FC19}", "Start Menu"},
    {"{A4115719-D62E-491D-AA7C-E74B8BE3B067}", "Common Start Menu"},
    {"{9E3995AB-1F9C-4F13-B827-48B24B6C7174}", "User Pinned"},
    {"{F1B32785-6FBA-4FCF-9D55-7B8E7F157091}", "Local AppData"},
    {"{3EB685DB-65F9-4CF6-A03A-E3EF65729F3D}", "Roaming AppData"},
    {"{A520A1A4-1780-4FF6-BD18-167343C5AF16}", "LocalLow AppData"},
    {"{62AB5D82-FDC1-4DC3-A9DD-070D1D495D97}", "ProgramData"},
    {"{5E6C858F-0E22-4760-9AFE-EA3317B67173}", "User Profile"},
    {"{0762D272-C50A-4BB0-A382-697DCD729B80}", "Users"},
    // The folders This PC shows from Windows 8 on, and the roots Windows 10 and 11 added: the
    // file dialogs record these rather than the known folders above.
    {"{088E3905-0323-4B02-9826-5D99428E115F}", "Downloads"},
    {"{D3162B92-9365-467A-956B-92703ACA08AF}", "Documents"},
    {"{24AD3AD4-A569-4530-98E1-AB02F9417AA8}", "Pictures"},
    {"{3DFDF296-DBEC-4FB4-81D1-6A3438BCF4DE}", "Music"},
    {"{F86FA3AB-70D2-4FC7-9C99-FCBF05467F3A}", "Videos"},
    {"{0DB7E03F-FC29-4DC6-9020-FF41B59E513A}", "3D Objects"},
    {"{018D5C66-4533-4307-9B53-224DE2ED1FE6}", "OneDrive"},
    {"{F874310E-B6B7-47DC-BC84-B9E6B38F5903}", "Home"},
}};

// A shell item's display name in the ANSI code page: 8-bit names go back to their bytes.
std::string AnsiName(const ShellItem& item) {
  const std::u16string name = ShellItemDisplayName(item);
  if (item.nameKind != TextKind::CodePageBytes || item.name.empty())
    return AnsiFromUtf16(name);
  std::string bytes;
  for (const char16_t unit : name)
    bytes += static_cast<char>(unit);
  return bytes;
}

// A drive ("C:\") or a UNC name starts the path afresh, whatever came before it.
bool StartsPath(const ShellItem& item, const std::string& name) {
  if (item.kind == ShellItemKind::Volume)
    return name.size() >= 2 && name[1] == ':';
  return item.kind == ShellItemKind::NetworkLocation && name.starts_with("\\\\");
}

} // namespace

std::string Undecodable(std::size_t size) {
  return "(undecodable: " + std::to_string(size) + " bytes)";
}

std::string FormatFileTime(std::uint64_t fileTime) {
  if (fileTime == 0)
    return "(never)";
  const std::uint64_t seconds = fileTime / kTicksPerSecond;
  const auto days = static_cast<std::int64_t>(seconds / 86400);
  const auto secondOfDay = static_cast<unsigned>(seconds % 86400);
  const CivilDate date = CivilFromDays(days - kDaysFrom1601To1970);
  if (date.year > 9999)
    return Undecodable(8);
  return FormatStamp(date.year, date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60,
                     secondOfDay % 60);
}

std::string IsoFileTime(std::uint64_t fileTime) {
  std::string text;
  AppendIsoFileTime(text, fileTime);
  return text;
}

void AppendIsoFileTime(std::string& out, std::uint64_t fileTime) {
  if (fileTime == 0)
    return;
  const std::uint64_t seconds = fileTime / kTicksPerSecond;
  const auto ticks = static_cast<unsigned>(fileTime % kTicksPerSecond);
  const auto days = static_cast<std::int64_t>(seconds / 86400);
  const auto secondOfDay = static_cast<unsigned>(seconds % 86400);
  const CivilDate date = CivilFromDays(days - kDaysFrom1601To1970);
  // Written digit by digit: a dump writes one for every key.
  char text[32] = "0000-00-00T00:00:00.0000000Z";
  const auto put = [&](int at, int digits, std::uint64_t value) {
    for (int i = at + digits - 1; i >= at; --i, value /= 10)
      text[i] = static_cast<char>('0' + value % 10);
  };
  put(0, 4, static_cast<std::uint64_t>(date.year));
  put(5, 2, date.month);
  put(8, 2, date.day);
  put(11, 2, secondOfDay / 3600);
  put(14, 2, secondOfDay / 60 % 60);
  put(17, 2, secondOfDay % 60);
  if (ticks == 0) {
    out.append(text, 19).append("Z");
    return;
  }
  put(20, 7, ticks);
  out.append(text, 28);
}

std::optional<std::uint64_t> FileTimeAt(Bytes data) {
  if (data.size() < 8)
    return std::nullopt;
  return Le64(data, 0);
}

std::optional<std::string> FormatSystemTime(Bytes data) {
  if (data.size() < 16)
    return std::nullopt;
  const unsigned year = Le16(data, 0), month = Le16(data, 2), day = Le16(data, 6);
  const unsigned hour = Le16(data, 8), minute = Le16(data, 10), second = Le16(data, 12);
  if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 ||
      minute > 59 || second > 59)
    return std::nullopt;
  return FormatStamp(year, month, day, hour, minute, second);
}

std::optional<std::uint64_t> FileTimeOfSystemTime(Bytes data) {
  if (!FormatSystemTime(data))
    return std::nullopt;
  const auto time = FileTimeFromCivil(Le16(data, 0), Le16(data, 2), Le16(data, 6), Le16(data, 8),
                                      Le16(data, 10), Le16(data, 12));
  const unsigned milliseconds = Le16(data, 14);
  if (!time || milliseconds > 999)
    return time;
  return *time + milliseconds * 10'000ull;
}

std::optional<UserAssistRecord> DecodeUserAssistRecord(Bytes data) {
  if (data.size() != kUserAssistRecordSize)
    return std::nullopt;
  return UserAssistRecord{Le32(data, 4), Le32(data, 8), Le32(data, 12), Le64(data, 60)};
}

std::string DescribeUserAssistRecord(Bytes data) {
  const auto record = DecodeUserAssistRecord(data);
  if (!record)
    return Undecodable(data.size());
  const std::uint32_t focusSeconds = record->focusTimeMs / 1000;
  char focus[32];
  std::snprintf(focus, sizeof focus, "%02u:%02u:%02u", focusSeconds / 3600, focusSeconds / 60 % 60,
                focusSeconds % 60);
  return "Run Count " + std::to_string(record->runCount) + ", Focus Count " +
         std::to_string(record->focusCount) + ", Focus Time " + focus + ", Last Run " +
         FormatFileTime(record->lastRun);
}

std::string_view KnownFolderName(std::string_view guid) {
  for (const KnownGuid& known : kKnownGuids)
    if (AsciiEqualIgnoringCase(known.guid, guid))
      return known.name;
  return {};
}

std::string ReplaceKnownFolderPrefix(std::string_view name) {
  constexpr std::size_t kGuidLength = 38;
  if (name.size() < kGuidLength || name.front() != '{')
    return std::string(name);
  const std::string_view folder = KnownFolderName(name.substr(0, kGuidLength));
  if (folder.empty())
    return std::string(name);
  return std::string(folder) + std::string(name.substr(kGuidLength));
}

std::vector<std::uint32_t> DecodeMruListEx(Bytes data) {
  std::vector<std::uint32_t> order;
  for (std::size_t at = 0; at + 4 <= data.size(); at += 4) {
    const std::uint32_t entry = Le32(data, at);
    if (entry == 0xFFFFFFFFu)
      break;
    order.push_back(entry);
  }
  return order;
}

std::optional<std::string> DecodeUtf16String(Bytes data, std::size_t* consumed) {
  std::u16string text;
  for (std::size_t at = 0; at + 2 <= data.size(); at += 2) {
    const char16_t unit = Le16(data, at);
    if (unit == 0) {
      if (consumed)
        *consumed = at + 2;
      return AnsiFromUtf16(text);
    }
    text += unit;
  }
  return std::nullopt;
}

std::string DecodeItemIdList(Bytes data) {
  const ShellItemList list = DecodeShellItemList(data);
  if (list.end != ListEnd::Terminated)
    return Undecodable(data.size());
  std::string path;
  for (const ShellItem& item : list.items)
    AppendShellItemToPath(path, item);
  return path;
}

void AppendShellItemToPath(std::string& path, const ShellItem& item) {
  const std::string name = AnsiName(item);
  if (StartsPath(item, name) || path.empty())
    path = name;
  else
    path += (path.ends_with('\\') ? "" : "\\") + name;
}

ProgramAndFolder DecodeLastVisitedEntry(Bytes data) {
  std::size_t consumed = 0;
  const auto program = DecodeUtf16String(data, &consumed);
  if (!program)
    return {Undecodable(data.size()), std::string()};
  return {*program, DecodeItemIdList(data.subspan(consumed))};
}

} // namespace tw
