// The form carries its skin component: reading the form's data loads the embedded skin and
// asks the skin manager to activate it shortly after.

#include <gtest/gtest.h>

#include "app/WKS_Main.h"
#include "runtime/seam.h"
#include "skin/model/embedded_skin.h"
#include "skin/model/portable_skin_manager.h"
#include "skin/model/skin_manager.h"
#include "skin/model/skin_platform.h"
#include "support/platform.h"

namespace tw {
namespace {

class FormDataTest : public test::PortablePlatformTest {
protected:
  PortableSkinPlatform skinPlatform;
  PortableSkinManager skinManager;
  ScopedSeam<SkinPlatform> skinPlatformSeam{skinPlatform};
  ScopedSeam<SkinManagerApi> skinManagerSeam{skinManager};
};

TEST_F(FormDataTest, TheEmbeddedSkinIsLoadedAndActivationRequested) {
  TWKSForm form;
  EXPECT_TRUE(form.SkinData1.NoSkin());
  form.ReadFormData(EmbeddedSkinStream());
  EXPECT_FALSE(form.SkinData1.NoSkin());
  EXPECT_TRUE(form.SkinData1.Active());
  EXPECT_EQ(form.SkinData1.SkinFormtype, TSkinFormType::sfMainform);
  ASSERT_FALSE(skinManager.pending.empty());
  EXPECT_EQ(skinManager.pending.back().action, SkinAction::Activate);
  EXPECT_EQ(skinManager.pending.back().delayMs, 250);
}

TEST_F(FormDataTest, WithoutAStoredSkinTheComponentTurnsInactive) {
  TWKSForm form;
  form.ReadFormData({});
  EXPECT_TRUE(form.SkinData1.NoSkin());
  EXPECT_FALSE(form.SkinData1.Active());
  EXPECT_TRUE(skinManager.pending.empty());
}

} // namespace
} // namespace tw
