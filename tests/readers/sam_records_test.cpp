#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "readers/binary_traces.h"
#include "readers/sam_records.h"
#include "runtime/ansi_text.h"
#include "runtime/code_page.h"
#include "support/binary_values.h"

namespace tw {
namespace {

using namespace test::binary;

// The Administrator's F value of a Windows 7 SAM hive.
const Buffer kAdministratorF =
    FromHex("020001000000000018d212a1fc88cb010000000000000000468f64ccfd88cb01000000000000000000"
            "00000000000000f401000001020000110200000000000000000600010000000000000088523500");

std::string Time(const std::optional<std::uint64_t>& fileTime) {
  return fileTime ? FormatFileTime(*fileTime) : "(absent)";
}

TEST(SamUserFixed, DecodesTimesRidFlagsAndCounters) {
  ASSERT_EQ(kAdministratorF.size(), kSamUserFixedSize);
  const SamUserFixed f = DecodeSamUserF(kAdministratorF);
  EXPECT_EQ(f.state, RecordState::Complete);
  EXPECT_EQ(Time(f.lastLogon), "2010-11-20 21:48:12");
  EXPECT_EQ(Time(f.passwordLastSet), "2010-11-20 21:56:34");
  EXPECT_TRUE(IsNeverTime(*f.accountExpires));
  EXPECT_TRUE(IsNeverTime(*f.lastFailedLogon));
  EXPECT_EQ(f.rid, 500u);
  EXPECT_EQ(f.logonCount, 6u);
  EXPECT_EQ(f.failedLogonCount, 0u);
  EXPECT_EQ(f.countryCode, 0u);
  EXPECT_EQ(AccountFlagNames(*f.accountFlags),
            (std::vector<std::string>{"Account disabled", "Normal user account",
                                      "Password does not expire"}));
}

TEST(SamUserFixed, ExpiryNeverAndEveryFlagHaveNames) {
  EXPECT_TRUE(IsNeverTime(0x7FFFFFFFFFFFFFFFull));
  EXPECT_FALSE(IsNeverTime(0x7FFFFFFFFFFFFFFEull));
  EXPECT_EQ(AccountFlagNames(0xFFFF).size(), 16u);
  EXPECT_EQ(AccountFlagNames(0x0404),
            (std::vector<std::string>{"Password not required", "Account locked"}));
  EXPECT_TRUE(AccountFlagNames(0).empty());
}

TEST(SamUserFixed, ACutRecordKeepsTheFieldsBeforeTheCut) {
  const SamUserFixed f = DecodeSamUserF(Bytes(kAdministratorF).first(0x3A));
  EXPECT_EQ(f.state, RecordState::Cut);
  EXPECT_EQ(f.rid, 500u);
  EXPECT_EQ(f.accountFlags, 0x0211u);
  EXPECT_FALSE(f.countryCode);
  EXPECT_FALSE(f.logonCount);
  EXPECT_EQ(DecodeSamUserF(Bytes(kAdministratorF).first(0x44)).state, RecordState::Cut);
  EXPECT_FALSE(DecodeSamUserF({}).lastLogon);
}

TEST(SamUserVariable, ReadsTheNamesTheTablePointsAt) {
  const Buffer v = VRecord({{0x0C, "Preston"},
                            {0x18, "Preston Q. User"},
                            {0x24, "Built-in account"},
                            {0x48, "\\\\server\\home"},
                            {0x54, "H:"},
                            {0x6C, "C:\\Users\\Preston"}});
  const SamUserVariable user = DecodeSamUserV(v);
  EXPECT_EQ(user.state, RecordState::Complete);
  EXPECT_EQ(AnsiFromUtf16(user.userName), "Preston");
  EXPECT_EQ(AnsiFromUtf16(user.fullName), "Preston Q. User");
  EXPECT_EQ(AnsiFromUtf16(user.comment), "Built-in account");
  EXPECT_EQ(AnsiFromUtf16(user.homeDirectory), "\\\\server\\home");
  EXPECT_EQ(AnsiFromUtf16(user.homeDirectoryDrive), "H:");
  EXPECT_EQ(AnsiFromUtf16(user.profilePath), "C:\\Users\\Preston");
  EXPECT_TRUE(user.userComment.empty());
  EXPECT_TRUE(user.logonScript.empty());
}

TEST(SamUserVariable, TextsPastTheEndAreLeftOutAndFlagged) {
  Buffer v = VRecord({{0x0C, "Preston"}, {0x18, "Full"}});
  v[0x18 + 3] = 0x40; // the full name's offset far past the end
  SamUserVariable user = DecodeSamUserV(v);
  EXPECT_EQ(user.state, RecordState::Cut);
  EXPECT_EQ(AnsiFromUtf16(user.userName), "Preston");
  EXPECT_TRUE(user.fullName.empty());
  // Offsets that wrap around a 32-bit size must not land inside the record.
  v = VRecord({{0x0C, "Preston"}});
  v[0x0C] = 0x40, v[0x0D] = 0xFF, v[0x0E] = 0xFF, v[0x0F] = 0xFF;
  user = DecodeSamUserV(v);
  EXPECT_EQ(user.state, RecordState::Cut);
  EXPECT_TRUE(user.userName.empty());
  // A record shorter than its table.
  EXPECT_EQ(DecodeSamUserV(Bytes(v).first(0x20)).state, RecordState::Cut);
}

TEST(Sid, FormatsRevisionAuthorityAndSubAuthorities) {
  EXPECT_EQ(SidAt(Sid(5, {21, 1760460187, 1592185332, 161725925, 1000}), 0),
            "S-1-5-21-1760460187-1592185332-161725925-1000");
  EXPECT_EQ(SidAt(Sid(5, {11}), 0), "S-1-5-11");
  EXPECT_EQ(SidAt(Sid(1, {0}), 0), "S-1-1-0");
  std::size_t size = 0;
  EXPECT_TRUE(SidAt(Sid(5, {32, 544}), 0, &size));
  EXPECT_EQ(size, 16u);
  // A sub-authority count running past the data.
  EXPECT_FALSE(SidAt(Bytes(Sid(5, {32, 544})).first(15), 0));
  EXPECT_FALSE(SidAt(Buffer{1, 0, 0}, 0));
}

TEST(SamAlias, GivesNameDescriptionAndMemberSids) {
  const Buffer c =
      AliasC(0x220, "Administrators", "Administrators have complete access",
             {Sid(5, {21, 1760460187, 1592185332, 161725925, 1000}), Sid(5, {11}), Sid(5, {4})});
  const SamAlias alias = DecodeSamAliasC(c);
  EXPECT_EQ(alias.state, RecordState::Complete);
  EXPECT_EQ(alias.rid, 0x220u);
  EXPECT_EQ(AnsiFromUtf16(alias.name), "Administrators");
  EXPECT_EQ(AnsiFromUtf16(alias.description), "Administrators have complete access");
  EXPECT_EQ(alias.members,
            (std::vector<std::string>{"S-1-5-21-1760460187-1592185332-161725925-1000", "S-1-5-11",
                                      "S-1-5-4"}));
  EXPECT_TRUE(DecodeSamAliasC(AliasC(0x222, "Guests", "", {})).members.empty());
}

TEST(SamAlias, MembersBeyondTheArrayOrTheDataAreLeftOutAndFlagged) {
  Buffer c = AliasC(0x221, "Users", "", {Sid(5, {11}), Sid(5, {4})});
  // A count larger than the array holds.
  c[0x30] = 5;
  SamAlias alias = DecodeSamAliasC(c);
  EXPECT_EQ(alias.state, RecordState::Cut);
  EXPECT_EQ(alias.members, (std::vector<std::string>{"S-1-5-11", "S-1-5-4"}));
  // The value cut inside the second SID.
  c[0x30] = 2;
  alias = DecodeSamAliasC(Bytes(c).first(c.size() - 3));
  EXPECT_EQ(alias.state, RecordState::Cut);
  EXPECT_EQ(alias.members, (std::vector<std::string>{"S-1-5-11"}));
  // The array's offset past the end.
  c[0x2B] = 0x70;
  alias = DecodeSamAliasC(c);
  EXPECT_EQ(alias.state, RecordState::Cut);
  EXPECT_TRUE(alias.members.empty());
  EXPECT_EQ(AnsiFromUtf16(alias.name), "Users");
  EXPECT_EQ(DecodeSamAliasC(Bytes(c).first(0x20)).state, RecordState::Cut);
}

} // namespace
} // namespace tw
