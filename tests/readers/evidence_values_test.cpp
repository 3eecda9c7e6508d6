#include <gtest/gtest.h>

#include "readers/amcache_values.h"
#include "readers/binary_traces.h"
#include "readers/device_properties.h"
#include "support/binary_values.h"

namespace tw {
namespace {

using namespace test::binary;

TEST(AmcacheFileId, GivesTheSha1AfterTheZerosInLowerCase) {
  EXPECT_EQ(Sha1FromFileId(u"0000186fef64c415af7d11986c7254db81ef65549ebc"),
            "186fef64c415af7d11986c7254db81ef65549ebc");
  EXPECT_EQ(Sha1FromFileId(u"0000186FEF64C415AF7D11986C7254DB81EF65549EBC"),
            "186fef64c415af7d11986c7254db81ef65549ebc");
  // Not four zeros, a digit short or long, or a letter past f.
  EXPECT_FALSE(Sha1FromFileId(u"0001186fef64c415af7d11986c7254db81ef65549ebc"));
  EXPECT_FALSE(Sha1FromFileId(u"0000186fef64c415af7d11986c7254db81ef65549eb"));
  EXPECT_FALSE(Sha1FromFileId(u"0000186fef64c415af7d11986c7254db81ef65549ebc0"));
  EXPECT_FALSE(Sha1FromFileId(u"0000186fef64c415af7d11986c7254db81ef65549ebg"));
  EXPECT_FALSE(Sha1FromFileId(u""));
}

TEST(AmcacheLinkDate, ReadsMonthDayYearAndRefusesOtherShapes) {
  const auto stamp = FileTimeFromLinkDate(u"03/17/2017 14:35:16");
  ASSERT_TRUE(stamp);
  EXPECT_EQ(FormatFileTime(*stamp), "2017-03-17 14:35:16");
  EXPECT_EQ(FormatFileTime(*FileTimeFromLinkDate(u"02/29/2016 00:00:00")), "2016-02-29 00:00:00");
  EXPECT_FALSE(FileTimeFromLinkDate(u"02/29/2017 00:00:00")); // no leap day that year
  EXPECT_FALSE(FileTimeFromLinkDate(u"13/01/2017 00:00:00"));
  EXPECT_FALSE(FileTimeFromLinkDate(u"2017-03-17 14:35:16"));
  EXPECT_FALSE(FileTimeFromLinkDate(u"03/17/2017 14:35"));
  EXPECT_FALSE(FileTimeFromLinkDate(u"03/17/2017 24:00:00"));
  EXPECT_FALSE(FileTimeFromLinkDate(u"0a/17/2017 14:35:16"));
}

TEST(AmcacheFileTime, NeedsExactlyEightBytes) {
  Buffer qword;
  Put64(qword, 0x01D30ABE67D58C2Dull);
  EXPECT_EQ(FormatFileTime(*AmcacheFileTime(qword)), "2017-08-01 12:05:02");
  EXPECT_FALSE(AmcacheFileTime(Bytes(qword).first(7)));
  qword.push_back(0);
  EXPECT_FALSE(AmcacheFileTime(qword));
}

TEST(DevicePropertyTimes, BothStoredShapesGiveTheFileTime) {
  Buffer data;
  Put64(data, 0x01CBF028A02D1BE0ull);
  // Windows 8 and later: the registry type carries the property type.
  const auto fromType = DevicePropertyTypeOfRegistryType(0xFFFF0010u);
  ASSERT_EQ(fromType, kDevicePropertyFileTime);
  EXPECT_EQ(FormatFileTime(*DevicePropertyFileTime(*fromType, data)), "2011-04-01 04:52:38");
  // Windows 7: a Type value beside the Data value.
  Buffer type;
  Put32(type, 0x10);
  EXPECT_EQ(DevicePropertyTypeOfTypeValue(type), kDevicePropertyFileTime);
  // Other types and sizes hold no time.
  EXPECT_FALSE(DevicePropertyTypeOfRegistryType(3));
  EXPECT_EQ(DevicePropertyTypeOfRegistryType(0xFFFF0012u), 0x12u);
  EXPECT_FALSE(DevicePropertyFileTime(0x12, data));
  EXPECT_FALSE(DevicePropertyFileTime(0x10, Bytes(data).first(4)));
  EXPECT_FALSE(DevicePropertyTypeOfTypeValue(Bytes(type).first(2)));
}

} // namespace
} // namespace tw
