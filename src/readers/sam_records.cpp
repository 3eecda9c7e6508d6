#include "readers/sam_records.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tw {
namespace {

// The V record: a table of (offset, length, unknown) triplets; offsets count from the end of
// the table's first 0xCC bytes.
constexpr std::size_t kVariableDataStart = 0xCC;
// The C value of an alias: offsets count from the end of its 0x34-byte header.
constexpr std::size_t kAliasDataStart = 0x34;
// More members than this in one group is corrupt data, not a real machine.
constexpr std::uint32_t kMaxMembers = 100'000;

template <class T>
void Field(Bytes d, std::size_t at, std::optional<T>& field, RecordState& state) {
  if (!Fits(d, at, sizeof(T))) {
    state = RecordState::Cut;
    return;
  }
  if constexpr (sizeof(T) == 8)
    field = Le64(d, at);
  else if constexpr (sizeof(T) == 4)
    field = Le32(d, at);
  else
    field = Le16(d, at);
}

// The text an (offset, length) pair at `entry` names, the offset counted from `base`.
std::u16string TextAt(Bytes d, std::size_t entry, std::size_t base, RecordState& state) {
  if (!Fits(d, entry, 8)) {
    state = RecordState::Cut;
    return {};
  }
  const std::size_t length = Le32(d, entry + 4);
  if (length == 0)
    return {};
  const std::uint64_t at = std::uint64_t{base} + Le32(d, entry);
  auto text = at <= d.size() ? Utf16At(d, static_cast<std::size_t>(at), length) : std::nullopt;
  if (!text) {
    state = RecordState::Cut;
    return {};
  }
  return *text;
}

struct FlagName {
  std::uint16_t bit;
  const char* name;
};

constexpr std::array<FlagName, 16> kAccountFlags = {{
    {0x0001, "Account disabled"},
    {0x0002, "Home directory required"},
    {0x0004, "Password not required"},
    {0x0008, "Temporary duplicate account"},
    {0x0010, "Normal user account"},
    {0x0020, "MNS logon account"},
    {0x0040, "Interdomain trust account"},
    {0x0080, "Workstation trust account"},
    {0x0100, "Server trust account"},
    {0x0200, "Password does not expire"},
    {0x0400, "Account locked"},
    {0x0800, "Encrypted text password allowed"},
    {0x1000, "Smart card required"},
    {0x2000, "Trusted for delegation"},
    {0x4000, "Not delegated"},
    {0x8000, "DES key only"},
}};

} // namespace

SamUserFixed DecodeSamUserF(Bytes d) {
  SamUserFixed f;
  Field(d, 0x08, f.lastLogon, f.state);
  Field(d, 0x18, f.passwordLastSet, f.state);
  Field(d, 0x20, f.accountExpires, f.state);
  Field(d, 0x28, f.lastFailedLogon, f.state);
  Field(d, 0x30, f.rid, f.state);
  Field(d, 0x38, f.accountFlags, f.state);
  Field(d, 0x3C, f.countryCode, f.state);
  Field(d, 0x3E, f.codePage, f.state);
  Field(d, 0x40, f.failedLogonCount, f.state);
  Field(d, 0x42, f.logonCount, f.state);
  if (d.size() < kSamUserFixedSize)
    f.state = RecordState::Cut;
  return f;
}

std::vector<std::string> AccountFlagNames(std::uint16_t flags) {
  std::vector<std::string> names;
  for (const FlagName& flag : kAccountFlags)
    if (flags & flag.bit)
      names.emplace_back(flag.name);
  return names;
}

SamUserVariable DecodeSamUserV(Bytes d) {
  SamUserVariable v;
  const auto text = [&](std::size_t entry) {
    return TextAt(d, entry, kVariableDataStart, v.state);
  };
  v.userName = text(0x0C);
  v.fullName = text(0x18);
  v.comment = text(0x24);
  v.userComment = text(0x30);
  v.homeDirectory = text(0x48);
  v.homeDirectoryDrive = text(0x54);
  v.logonScript = text(0x60);
  v.profilePath = text(0x6C);
  v.workstations = text(0x78);
  return v;
}

std::optional<std::string> SidAt(Bytes d, std::size_t at, std::size_t* size) {
  if (!Fits(d, at, 8))
    return std::nullopt;
  const std::size_t subAuthorities = d[at + 1];
  const std::size_t length = 8 + 4 * subAuthorities;
  if (!Fits(d, at, length))
    return std::nullopt;
  // The identifier authority is a 48-bit big-endian number.
  std::uint64_t authority = 0;
  for (std::size_t i = 2; i < 8; ++i)
    authority = (authority << 8) | d[at + i];
  char text[32];
  std::snprintf(text, sizeof text, "S-%u-%llu", d[at], static_cast<unsigned long long>(authority));
  std::string sid = text;
  for (std::size_t i = 0; i < subAuthorities; ++i)
    sid += "-" + std::to_string(Le32(d, at + 8 + 4 * i));
  if (size != nullptr)
    *size = length;
  return sid;
}

SamAlias DecodeSamAliasC(Bytes d) {
  SamAlias alias;
  Field(d, 0, alias.rid, alias.state);
  alias.name = TextAt(d, 0x10, kAliasDataStart, alias.state);
  alias.description = TextAt(d, 0x1C, kAliasDataStart, alias.state);
  if (!Fits(d, 0x28, 12)) {
    alias.state = RecordState::Cut;
    return alias;
  }
  const std::uint64_t arrayStart = std::uint64_t{kAliasDataStart} + Le32(d, 0x28);
  const std::uint64_t arrayEnd = std::min<std::uint64_t>(d.size(), arrayStart + Le32(d, 0x2C));
  if (arrayStart > arrayEnd) {
    alias.state = RecordState::Cut;
    return alias;
  }
  const Bytes members = d.first(static_cast<std::size_t>(arrayEnd));
  auto at = static_cast<std::size_t>(arrayStart);
  const std::uint32_t count = Le32(d, 0x30);
  for (std::uint32_t i = 0; i < std::min(count, kMaxMembers); ++i) {
    std::size_t size = 0;
    auto sid = SidAt(members, at, &size);
    if (!sid) {
      alias.state = RecordState::Cut;
      break;
    }
    alias.members.push_back(std::move(*sid));
    at += size;
  }
  return alias;
}

} // namespace tw
