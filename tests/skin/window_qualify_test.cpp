// Which windows get a skinned frame, and which skin component answers for them.

#include "skin/model/embedded_skin.h"
#include "skin/paint/window_qualify.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

class QualifyTest : public SkinTest {
protected:
  void Load(TSkinData& data, TSkinFormType type) {
    data.SkinFormtype = type;
    data.BeginReading();
    data.ReadSkinStream(EmbeddedSkinStream());
    data.Loaded();
    ASSERT_FALSE(data.NoSkin());
  }
  void SetUp() override { Load(main, TSkinFormType::sfMainform); }

  // A form of the program, visible, qualifying under every rule.
  static WindowDescription Form(std::string className = "TWKSForm") {
    WindowDescription w;
    w.className = std::move(className);
    w.rect = Rect::FromSize(100, 100, 841, 625);
    w.style = kWsCaption | kWsSysMenu | kWsVisible;
    w.controlFound = true;
    w.formTag = 0;
    return w;
  }
  Qualification Judge(const WindowDescription& w, Skinning on = Skinning::On) {
    return QualifyWindow(w, registered, on).result;
  }

  TSkinData main;
  std::vector<TSkinData*> registered{&main};
};

TEST_F(QualifyTest, TheSevenRulesInOrder) {
  EXPECT_EQ(Judge(Form()), Qualification::Qualifies);
  EXPECT_EQ(Judge(Form(), Skinning::Off), Qualification::SkinningOff);

  WindowDescription w = Form();
  w.answersSkinned = true;
  EXPECT_EQ(Judge(w), Qualification::AlreadySkinned);
  w = Form();
  w.inList = true;
  EXPECT_EQ(Judge(w), Qualification::AlreadySkinned);

  // Rule 2: a foreign window, unless it is ours by module or a standard dialog.
  w = Form("SomeoneElses");
  w.controlFound = false;
  EXPECT_EQ(Judge(w), Qualification::NotOurs);
  w.ownModule = true;
  EXPECT_EQ(Judge(w), Qualification::Qualifies);
  WindowDescription dialog = Form("#32770");
  dialog.controlFound = false;
  EXPECT_EQ(Judge(dialog), Qualification::Qualifies);

  // Rule 3: an empty rectangle, unless an MDI child.
  w = Form();
  w.rect = Rect::FromSize(100, 100, 0, 20);
  EXPECT_EQ(Judge(w), Qualification::EmptyRect);
  w.exStyle = kWsExMdiChild;
  EXPECT_EQ(Judge(w), Qualification::Qualifies);

  // Rule 4: Tag 99 whatever DisableTag says.
  main.DisableTag = 5;
  w = Form();
  w.formTag = 99;
  EXPECT_EQ(Judge(w), Qualification::FormTag);
  w.formTag = 5;
  EXPECT_EQ(Judge(w), Qualification::Qualifies);

  // Rule 5.
  for (const char* name : {"TApplication", "XTcxPopupEditPopupWindowY", "TTERenderWindow2"})
    EXPECT_EQ(Judge(Form(name)), Qualification::ClassRefused) << name;
  EXPECT_EQ(Judge(Form("TApplicationX")), Qualification::Qualifies);
}

TEST_F(QualifyTest, TheMainComponentDecidesByClassOptionsAndItsHandler) {
  EXPECT_EQ(Judge(Form("TPrintPreviewForm")), Qualification::Qualifies);
  main.Options.Exclude(TSkinOption::xoPreview);
  EXPECT_EQ(Judge(Form("TPrintPreviewForm")), Qualification::DataRefused);
  EXPECT_EQ(Judge(Form("TPrintPREVIEW")), Qualification::DataRefused);
  WindowDescription foreground = Form("#32770");
  foreground.style |= kDsSetForeground;
  EXPECT_EQ(Judge(foreground), Qualification::DataRefused);
  EXPECT_EQ(Judge(Form("TPopupDBTreeView")), Qualification::DataRefused);
  EXPECT_EQ(Judge(Form("SysMonthCal32")), Qualification::DataRefused);
  EXPECT_EQ(Judge(Form("TfrDesigner")), Qualification::Qualifies);
  main.SkinControls.Include(TSkinControlType::xcFastReport);
  EXPECT_EQ(Judge(Form("TfrDesigner")), Qualification::DataRefused);

  // A handler replaces the class defaults.
  std::vector<std::string> asked;
  main.OnFormSkin = [&](TSkinData& sender, const std::string& name, bool& doSkin) {
    EXPECT_EQ(&sender, &main);
    asked.push_back(name);
    doSkin = name != "TWKSForm";
  };
  EXPECT_EQ(Judge(Form("SysMonthCal32")), Qualification::Qualifies);
  EXPECT_EQ(Judge(Form()), Qualification::DataRefused);
  EXPECT_EQ(asked, (std::vector<std::string>{"SysMonthCal32", "TWKSForm"}));
}

TEST_F(QualifyTest, TheResponsibleComponent) {
  TSkinData onlyThis;
  TSkinData dialogs;
  TSkinData unloaded;
  Load(onlyThis, TSkinFormType::sfOnlyThisForm);
  Load(dialogs, TSkinFormType::sfDialog);
  unloaded.SkinFormtype = TSkinFormType::sfOnlyThisForm;
  registered = {&unloaded, &onlyThis, &dialogs, &main};

  WindowDescription w = Form("TOther");
  w.ownedSkinData = {&onlyThis};
  WindowVerdict v = QualifyWindow(w, registered, Skinning::On);
  EXPECT_EQ(v.data, &onlyThis);
  EXPECT_EQ(v.owner, FrameOwner::Form);
  // A component without a loaded skin answers for nothing.
  w.ownedSkinData = {&unloaded};
  EXPECT_EQ(QualifyWindow(w, registered, Skinning::On).data, &main);
  EXPECT_EQ(ResponsibleSkinData(Form("TMessageForm"), registered), &dialogs);
  WindowDescription box = Form("#32770");
  box.controlFound = false;
  v = QualifyWindow(box, registered, Skinning::On);
  EXPECT_EQ(v.data, &dialogs);
  EXPECT_EQ(v.owner, FrameOwner::Unowned);
  EXPECT_EQ(ResponsibleSkinData(Form(), registered), &main);
  // Without a main-form component the first registered one, when loaded.
  const std::vector<TSkinData*> dialogsFirst = {&dialogs, &onlyThis};
  EXPECT_EQ(ResponsibleSkinData(Form(), dialogsFirst), &dialogs);
  const std::vector<TSkinData*> nothingLoaded = {&unloaded};
  EXPECT_EQ(ResponsibleSkinData(Form(), nothingLoaded), nullptr);
  EXPECT_EQ(QualifyWindow(Form(), nothingLoaded, Skinning::On).result, Qualification::NoSkinData);
  // The main component judges rule 6 even when another one is responsible.
  EXPECT_EQ(MainSkinData(registered), &main);
}

} // namespace
} // namespace tw::test
