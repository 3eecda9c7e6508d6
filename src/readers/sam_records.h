#pragma once
// The local accounts a SAM hive keeps, decoded from the bytes of its values: a user's fixed
// record (F: times, RID, account flags, counters), its variable record (V: names, comment,
// profile), the RID a Names\<user> key gives by its default value's type, and a group's (alias's)
// C value with its members' SIDs. Fields that do not fit the bytes are left out and the record
// says it was cut.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "readers/byte_fields.h"

namespace tw {

enum class RecordState { Complete, Cut };

// FILETIMEs meaning "never" in the account's times: 0, and 0x7FFFFFFFFFFFFFFF for expiry.
constexpr bool IsNeverTime(std::uint64_t fileTime) {
  return fileTime == 0 || fileTime == 0x7FFFFFFFFFFFFFFFull;
}

struct SamUserFixed {
  std::optional<std::uint64_t> lastLogon; // FILETIMEs
  std::optional<std::uint64_t> passwordLastSet;
  std::optional<std::uint64_t> accountExpires;
  std::optional<std::uint64_t> lastFailedLogon;
  std::optional<std::uint32_t> rid;
  std::optional<std::uint16_t> accountFlags; // see AccountFlagNames
  std::optional<std::uint16_t> countryCode;
  std::optional<std::uint16_t> codePage;
  std::optional<std::uint16_t> failedLogonCount;
  std::optional<std::uint16_t> logonCount;
  RecordState state = RecordState::Complete;
};
inline constexpr std::size_t kSamUserFixedSize = 0x50;
SamUserFixed DecodeSamUserF(Bytes data);

// The names of the account control flags set, lowest bit first ("Account disabled", ...);
// an unnamed bit as "0xNNNN".
std::vector<std::string> AccountFlagNames(std::uint16_t flags);

struct SamUserVariable {
  std::u16string userName;
  std::u16string fullName;
  std::u16string comment;
  std::u16string userComment;
  std::u16string homeDirectory;
  std::u16string homeDirectoryDrive;
  std::u16string logonScript;
  std::u16string profilePath;
  std::u16string workstations;
  RecordState state = RecordState::Complete;
};
SamUserVariable DecodeSamUserV(Bytes data);

// Users\Names\<user>'s default value stores no data: its registry type is the user's RID.
constexpr std::uint32_t RidOfNamesEntry(std::uint32_t defaultValueType) {
  return defaultValueType;
}

// A binary SID at `at` as "S-1-5-21-..."; `size` gets its length. None when it does not fit.
std::optional<std::string> SidAt(Bytes data, std::size_t at, std::size_t* size = nullptr);

struct SamAlias {
  std::optional<std::uint32_t> rid;
  std::u16string name;
  std::u16string description;
  std::vector<std::string> members; // SIDs, in stored order
  RecordState state = RecordState::Complete;
};
// A Builtin\Aliases\<RID> (or Account\Aliases\<RID>) C value.
SamAlias DecodeSamAliasC(Bytes data);

} // namespace tw
