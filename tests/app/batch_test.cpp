#include <gtest/gtest.h>

#include <vector>

#include "app/batch.h"
#include "runtime/exceptions.h"

namespace tw {
namespace {

struct BatchTest : testing::Test {
  TListBox list{"List"};
  TValueListEditor grid{"Grid"};
  TButton save{"Save"};
  TButton other{"Other"};
  TProgressBar progress{"Progress"};
  BatchControls controls{list, grid, save, progress};
  void SetUp() override {
    progress.SetRange(0, 33);
    progress.SetStep(1);
    progress.SetPosition(12);
  }
  void ExpectEnabled(bool enabled) {
    EXPECT_EQ(list.Enabled(), enabled);
    EXPECT_EQ(grid.Enabled(), enabled);
    EXPECT_EQ(save.Enabled(), enabled);
  }
};

TEST_F(BatchTest, DisablesTheThreeControlsAndStepsAfterEachItem) {
  std::vector<int> seen;
  RunBatch(controls, 4, [&](int i) {
    ExpectEnabled(false);
    EXPECT_TRUE(other.Enabled());
    EXPECT_EQ(progress.Position(), i);
    seen.push_back(i);
  });
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3}));
  ExpectEnabled(true);
  EXPECT_EQ(progress.Position(), 0);
}

TEST_F(BatchTest, AnErrorEndsTheBatchAndRestoresTheControls) {
  std::vector<int> seen;
  EXPECT_THROW(RunBatch(controls, 5,
                        [&](int i) {
                          seen.push_back(i);
                          if (i == 2)
                            throw EFCreateError("Cannot create file");
                        }),
               EFCreateError);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  ExpectEnabled(true);
  EXPECT_EQ(progress.Position(), 0);
}

TEST_F(BatchTest, AnEmptyListEnablesTheControlsAtOnce) {
  RunBatch(controls, 0, [](int) { FAIL(); });
  ExpectEnabled(true);
  EXPECT_EQ(progress.Position(), 0);
}

} // namespace
} // namespace tw
