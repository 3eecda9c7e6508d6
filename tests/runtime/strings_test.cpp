#include <gtest/gtest.h>

#include "runtime/exceptions.h"
#include "runtime/strings.h"

namespace tw {
namespace {

TEST(TStringList, RaisesListIndexErrorWithTheIndex) {
  TStringList list{"a", "b"};
  try {
    list.Get(2);
    FAIL() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
  EXPECT_THROW(list.Delete(-1), EStringListError);
  EXPECT_THROW(list.Put(5, "x"), EStringListError);
  EXPECT_THROW(list.Insert(3, "x"), EStringListError);
  list.Insert(2, "c");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(TStringList, IndexOfIgnoresCase) {
  TStringList list{"=Notepad", "=LANGID", "=LangID"};
  EXPECT_EQ(list.IndexOf("=LangID"), 1);
  EXPECT_EQ(list.IndexOf("=Lang-ID"), -1);
  EXPECT_EQ(list.IndexOf("missing"), -1);
}

TEST(SplitRow, SplitsAtTheFirstEqualsSign) {
  EXPECT_EQ(SplitRow("name=value=more"),
            std::make_pair(std::string_view("name"), std::string_view("value=more")));
  EXPECT_EQ(SplitRow("=value"), std::make_pair(std::string_view(), std::string_view("value")));
  EXPECT_EQ(SplitRow("name="), std::make_pair(std::string_view("name"), std::string_view()));
  // A line without "=" has an empty key cell and the whole line as its value cell.
  EXPECT_EQ(SplitRow("no separator"),
            std::make_pair(std::string_view(), std::string_view("no separator")));
}

} // namespace
} // namespace tw
