#include "readers/accounts.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "readers/binary_traces.h"
#include "readers/row_times.h"
#include "readers/sam_records.h"
#include "registry/registry.h"
#include "runtime/code_page.h"

namespace tw {
namespace {

constexpr const char* kAccountKey = "SAM\\SAM\\Domains\\Account";
constexpr const char* kUsersKey = "SAM\\SAM\\Domains\\Account\\Users";
constexpr const char* kNamesKey = "SAM\\SAM\\Domains\\Account\\Users\\Names";
// Groups of the machine (Administrators, Users, ...) and those made on it.
constexpr std::array<const char*, 2> kAliasKeys = {
    "SAM\\SAM\\Domains\\Builtin\\Aliases",
    "SAM\\SAM\\Domains\\Account\\Aliases",
};
// The machine's domain SID closes the Account key's V value: S-1-5-21 and three numbers.
constexpr std::size_t kDomainSidSize = 24;

bool IsRidKey(std::string_view name) {
  return name.size() == 8 && name.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts)
    text.append(text.empty() ? "" : ", ").append(part);
  return text;
}

std::string DomainSid() {
  const auto v = ReadRegValue(reg::kLocalMachine, kAccountKey, "V");
  if (!v || v->bytes.size() < kDomainSidSize)
    return "";
  const auto sid = SidAt(v->bytes, v->bytes.size() - kDomainSidSize);
  return sid && sid->starts_with("S-1-5-21-") ? *sid : "";
}

struct NameEntry {
  std::string name;
  std::uint64_t written = 0; // the Names key's last write: when the account was made
};

// Users\Names\<user>: the RID is its default value's type.
std::map<std::uint32_t, NameEntry> NamesByRid() {
  std::map<std::uint32_t, NameEntry> names;
  TStringList users;
  ListSubKeyNames(reg::kLocalMachine, kNamesKey, users);
  for (int i = 0; i < users.Count(); ++i) {
    const OpenRegKey key(reg::kLocalMachine, SubKeyPath(kNamesKey, users[i]));
    if (const auto value = key.Value(""))
      names[RidOfNamesEntry(value->type)] = {users[i], key.LastWrite()};
  }
  return names;
}

// Each group's name with the SIDs of its members.
std::vector<std::pair<std::string, std::vector<std::string>>> Groups() {
  std::vector<std::pair<std::string, std::vector<std::string>>> groups;
  TStringList rids;
  for (const char* aliases : kAliasKeys) {
    ListSubKeyNames(reg::kLocalMachine, aliases, rids);
    for (int i = 0; i < rids.Count(); ++i) {
      if (!IsRidKey(rids[i]))
        continue;
      const auto c = ReadRegValue(reg::kLocalMachine, SubKeyPath(aliases, rids[i]), "C");
      if (!c)
        continue;
      const SamAlias alias = DecodeSamAliasC(c->bytes);
      groups.emplace_back(AnsiFromUtf16(alias.name), alias.members);
    }
  }
  return groups;
}

std::string TimeText(const std::optional<std::uint64_t>& fileTime) {
  if (!fileTime)
    return "";
  return IsNeverTime(*fileTime) ? "(never)" : FormatFileTime(*fileTime);
}

} // namespace

void ReadSamAccounts(ReaderContext& ctx) {
  ListSubKeyNames(reg::kLocalMachine, kUsersKey, ctx.scratch1);
  if (ctx.scratch1.Count() == 0)
    return;
  const std::string domain = DomainSid();
  const std::map<std::uint32_t, NameEntry> names = NamesByRid();
  const auto groups = Groups();
  for (int i = 0; i < ctx.scratch1.Count(); ++i) {
    if (!IsRidKey(ctx.scratch1[i]))
      continue;
    const std::string keyPath = SubKeyPath(kUsersKey, ctx.scratch1[i]);
    const OpenRegKey key(reg::kLocalMachine, keyPath);
    const auto f = key.Value("F");
    const auto v = key.Value("V");
    const SamUserFixed fixed = f ? DecodeSamUserF(f->bytes) : SamUserFixed{};
    const SamUserVariable variable = v ? DecodeSamUserV(v->bytes) : SamUserVariable{};
    const auto rid = static_cast<std::uint32_t>(std::stoul(ctx.scratch1[i], nullptr, 16));
    const auto named = names.find(rid);
    std::string user = AnsiFromUtf16(variable.userName);
    if (user.empty())
      user = named != names.end() ? named->second.name : ctx.scratch1[i];

    const RowKey rowKey{reg::kLocalMachine, keyPath};
    const auto add = [&](std::string_view field, const std::string& text) {
      if (!text.empty())
        ctx.Add(user + "\\" + std::string(field), text, rowKey);
    };
    const auto addTime = [&](std::string_view field, const std::optional<std::uint64_t>& time,
                             std::string_view kind) {
      add(field, TimeText(time));
      if (time && !IsNeverTime(*time))
        ctx.AddTime(kind, *time);
    };
    const std::string sid = domain.empty() ? "" : domain + "-" + std::to_string(rid);
    add("RID", std::to_string(rid));
    add("SID", sid);
    add("Full Name", AnsiFromUtf16(variable.fullName));
    add("Comment", AnsiFromUtf16(variable.comment));
    add("User Comment", AnsiFromUtf16(variable.userComment));
    if (named != names.end() && named->second.written != 0) {
      ctx.Add(user + "\\Account Created", FormatFileTime(named->second.written),
              {reg::kLocalMachine, SubKeyPath(kNamesKey, named->second.name)});
      ctx.AddTime(when::kAccountCreated, named->second.written);
    }
    addTime("Last Logon", fixed.lastLogon, when::kLastLogon);
    addTime("Password Last Set", fixed.passwordLastSet, when::kPasswordSet);
    addTime("Account Expires", fixed.accountExpires, when::kAccountExpires);
    addTime("Last Failed Logon", fixed.lastFailedLogon, when::kLastFailedLogon);
    if (fixed.logonCount)
      add("Logon Count", std::to_string(*fixed.logonCount));
    if (fixed.failedLogonCount)
      add("Failed Logon Count", std::to_string(*fixed.failedLogonCount));
    if (fixed.accountFlags)
      add("Flags", Joined(AccountFlagNames(*fixed.accountFlags)));
    std::vector<std::string> memberOf;
    for (const auto& [group, members] : groups)
      if (!sid.empty() && std::find(members.begin(), members.end(), sid) != members.end())
        memberOf.push_back(group);
    add("Groups", Joined(memberOf));
    add("Home Directory", AnsiFromUtf16(variable.homeDirectory));
    add("Logon Script", AnsiFromUtf16(variable.logonScript));
    add("Profile Path", AnsiFromUtf16(variable.profilePath));
    if (!f || fixed.state == RecordState::Cut || !v || variable.state == RecordState::Cut)
      add("Record", std::string(!f || !v ? "missing" : "cut short") + " (F " +
                        (f ? std::to_string(f->bytes.size()) + " bytes" : "missing") + ", V " +
                        (v ? std::to_string(v->bytes.size()) + " bytes" : "missing") + ")");
  }
}

} // namespace tw
