#pragma once
// Runs one reader as the dispatcher would, on the portable store of the test.

#include <string>
#include <vector>

#include "readers/reader.h"
#include "support/fixtures.h"

namespace tw::test {

using Rows = std::vector<std::string>;

class ReaderTest : public PortableRegistryTest {
protected:
  // The rows a reader leaves, in reader order; every key it opened is closed again.
  Rows Run(ReaderFn reader) {
    TStringList rows;
    TStringList scratch1;
    TStringList scratch2;
    ReaderContext ctx{rows, scratch1, scratch2};
    reader(ctx);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    return rows.ToVector();
  }

  // Runs a reader that is expected to raise; returns the message and checks no key stays open.
  template <class E>
  std::string RunFailing(ReaderFn reader) {
    TStringList rows;
    TStringList scratch1;
    TStringList scratch2;
    ReaderContext ctx{rows, scratch1, scratch2};
    std::string message;
    try {
      reader(ctx);
      ADD_FAILURE() << "the reader did not raise";
    } catch (const E& e) {
      message = e.what();
    }
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    return message;
  }
};

} // namespace tw::test
