#include <cstdio>
#include <fstream>

#include "skin/model/bmp.h"
#include "skin/model/embedded_skin.h"
#include "skin/model/quick_ini.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_reader.h"
#include "skin/model/system_colour.h"
#include "skin_test_support.h"

namespace tw::test {
namespace {

using skinpack::ArchiveEntry;

class SkinDataTest : public SkinTest {
protected:
  // A component loaded as the main window's form data loads it.
  void ReadForm(TSkinData& data, std::span<const std::uint8_t> envelope, bool active = true) {
    data.BeginReading();
    data.SetActive(active);
    data.ReadSkinStream(envelope);
    data.Loaded();
  }
  const SkinModel& LoadEmbedded() {
    ReadForm(data, EmbeddedSkinStream());
    return data.Model();
  }
  const SkinModel& LoadIni(const std::string& ini, std::vector<ArchiveEntry> extra = {}) {
    extra.insert(extra.begin(), {"skin.ini", Bytes(ini)});
    envelope = EnvelopeOf(extra);
    ReadForm(data, envelope);
    return data.Model();
  }

  TSkinData data;
  std::vector<std::uint8_t> envelope;
};

TEST_F(SkinDataTest, DefaultsAtCreation) {
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(data.DisableTag, 99);
  EXPECT_EQ(data.SkinControls.Mask(), 0x1FFFFBu);
  EXPECT_FALSE(data.SkinControls.Contains(TSkinControlType::xcMenuItem));
  EXPECT_TRUE(data.SkinControls.Contains(TSkinControlType::xcSystemMenu));
  EXPECT_FALSE(data.SkinControls.Contains(TSkinControlType::xcFastReport));
  EXPECT_EQ(data.Options.Mask(), 1096u);
  EXPECT_EQ(data.Options, (TSkinOptions{TSkinOption::xoPreview, TSkinOption::xoToolbarBK,
                                        TSkinOption::xoCaptionButtonHint}));
  EXPECT_EQ(data.SkinFormtype, TSkinFormType::sfMainform);
  EXPECT_EQ(data.Version(), "5.20.05.20");
  EXPECT_TRUE(data.MenuUpdate);
  EXPECT_FALSE(data.MenuMerge);
  EXPECT_EQ(data.SkinStore(), "(none)");
  EXPECT_TRUE(data.SkinFile().empty());
  EXPECT_TRUE(data.NoSkin());
  EXPECT_EQ(data.Skin3rd.Count(), 118);
  EXPECT_EQ(data.Skin3rd[0], "TCategoryButtons=scrollbar");
  EXPECT_EQ(data.Skin3rd.IndexOf("TLMDDBNUMERICFIELD=Edit"), -1);
  EXPECT_GE(data.Skin3rd.IndexOf("TOVCDBNUMERICFIELD=Edit"), 0);
}

TEST_F(SkinDataTest, EmbeddedSkinFrameGeometry) {
  const SkinModel& m = LoadEmbedded();
  ASSERT_FALSE(data.NoSkin());
  EXPECT_EQ(m.SkinName, "Trailwick Light");
  auto frameWidth = [](const TDataSkinBorder& b) { return b.Bitmap.Width() / b.FrameCount; };
  auto frameHeight = [](const TDataSkinBorder& b) { return b.Bitmap.Height() / b.FrameCount; };
  EXPECT_EQ(frameWidth(m.Border(BorderSide::Left)), 4);
  EXPECT_EQ(frameWidth(m.Border(BorderSide::Right)), 4);
  EXPECT_EQ(frameHeight(m.Border(BorderSide::Top)), 30);
  EXPECT_EQ(frameHeight(m.Border(BorderSide::Bottom)), 5);
  EXPECT_EQ(m.Border(BorderSide::Left).TopHeight, 30);
  EXPECT_EQ(m.Border(BorderSide::Left).BottomHeight, 5);
  EXPECT_EQ(m.Border(BorderSide::Top).Tile, 1);
  // The frame colour is FrameTop's pixel at a third of its width and frame height.
  const Bitmap32& top = m.Border(BorderSide::Top).Bitmap;
  EXPECT_EQ(m.FrameColour, PixelToColour(top.At(top.Width() / 3, 10)));
}

TEST_F(SkinDataTest, EmbeddedSkinCaptionButtons) {
  const SkinModel& m = LoadEmbedded();
  ASSERT_EQ(m.SysButtons.size(), 8u);
  struct Want {
    int action, align, x, y, visibility;
  };
  const Want want[] = {
      {0, 1, 25, 5, 0}, {1, 1, 49, 5, 2}, {1, 1, 49, 5, 1}, {2, 1, 73, 5, 0}, {3, 0, 8, 7, 0}};
  for (int i = 0; i < 5; ++i) {
    const TDataSkinSysButton& b = m.SysButtons[static_cast<std::size_t>(i)];
    EXPECT_EQ(b.Name, "BUTTON" + std::to_string(i + 1));
    EXPECT_EQ(b.Action, want[i].action) << i;
    EXPECT_EQ(b.Align, want[i].align) << i;
    EXPECT_EQ(b.XCoord, want[i].x) << i;
    EXPECT_EQ(b.YCoord, want[i].y) << i;
    EXPECT_EQ(b.Visibility, want[i].visibility) << i;
    EXPECT_EQ(b.Visibility1, 0) << i;
    EXPECT_EQ(b.CombineOp, -1) << i;
  }
  EXPECT_EQ(m.SysButtons[0].FrameCount, 4);
  EXPECT_FALSE(m.SysButtons[0].Bitmap.Empty());
  EXPECT_TRUE(m.SysButtons[4].Bitmap.Empty()); // the icon button shows the window icon
  EXPECT_EQ(m.SysButtons[4].FrameCount, 6);
  for (int i = 5; i < 8; ++i) {
    const TDataSkinSysButton& b = m.SysButtons[static_cast<std::size_t>(i)];
    EXPECT_EQ(b.Action, 7 + (i - 5));
    EXPECT_EQ(b.Align, 100);
    EXPECT_EQ(b.Visibility, 100);
    EXPECT_EQ(b.Visibility1, 100);
    EXPECT_EQ(b.FrameCount, 4);
  }
}

TEST_F(SkinDataTest, EmbeddedSkinElementsAndFrameCounts) {
  const SkinModel& m = LoadEmbedded();
  EXPECT_EQ(m.Buttons.FrameCount, 5);
  EXPECT_EQ(m.Buttons.CheckBitmap.Width(), 65);
  EXPECT_EQ(m.Buttons.CheckBitmap.Height(), 13);
  EXPECT_EQ(m.Buttons.CheckFrame, 5);
  EXPECT_EQ(m.Buttons.RadioFrame, 5);
  EXPECT_FALSE(m.Title.Bitmap.Empty());
  EXPECT_EQ(m.Title.FrameCount, 2);

  auto frames = [&](SkinElement e) {
    const TDataSkinObject* o = m.Element(e);
    return o == nullptr ? -1 : o->FrameCount;
  };
  EXPECT_EQ(m.Element(SkinElement::Progress)->Style, 1);
  EXPECT_EQ(frames(SkinElement::Progress), 1);
  EXPECT_EQ(frames(SkinElement::ProgressChunk), 1);
  EXPECT_EQ(frames(SkinElement::MenuBar), 2);
  EXPECT_EQ(frames(SkinElement::Tabs), 5);
  EXPECT_EQ(frames(SkinElement::TabPane), 1);
  EXPECT_EQ(frames(SkinElement::Headerbar), 4);
  EXPECT_EQ(frames(SkinElement::MenuItem), 5);
  EXPECT_EQ(frames(SkinElement::MenuBackground), 1);
  EXPECT_EQ(frames(SkinElement::Scrollbar), 23);
  EXPECT_EQ(frames(SkinElement::HorzScroll), 4);
  EXPECT_EQ(frames(SkinElement::VertScroll), 4);
  EXPECT_EQ(frames(SkinElement::HorzScrollThumb), 3);
  EXPECT_EQ(frames(SkinElement::VertScrollThumb), 3);
  EXPECT_EQ(frames(SkinElement::StatusBarEdges), 3);
  EXPECT_EQ(frames(SkinElement::GroupBoxEdge), 2);
  EXPECT_EQ(frames(SkinElement::ToolBars), 5);
  EXPECT_EQ(frames(SkinElement::TrackbarThumbHorz), 5);
  EXPECT_EQ(frames(SkinElement::UpDownHorz), 8);
  EXPECT_EQ(frames(SkinElement::UpDownVert), 8);
  EXPECT_EQ(frames(SkinElement::Toolbar), 1);
  // No Track sections: the program's TRACK and TRACKVERT resources stand in.
  const TDataSkinObject* track = m.Element(SkinElement::Track);
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(track->LeftWidth, 3);
  EXPECT_EQ(track->BottomHeight, 3);
  EXPECT_EQ(track->FrameCount, 1);
  EXPECT_EQ(track->Trans, 1);
  EXPECT_EQ(track->Bitmap, platform.LoadProgramBitmap(ProgramBitmap::Track));
  ASSERT_NE(m.Element(SkinElement::TrackVert), nullptr);
}

TEST_F(SkinDataTest, EmbeddedSkinComposesTheComboStrip) {
  const SkinModel& m = LoadEmbedded();
  const auto* combo = static_cast<const TDataSkinBorder*>(m.Element(SkinElement::ComboButton));
  const TDataSkinObject* sunk = m.Element(SkinElement::SunkEdge);
  ASSERT_NE(combo, nullptr);
  ASSERT_NE(sunk, nullptr);
  const int arrow = platform.Metric(SystemMetric::HorzScrollArrowWidth);
  EXPECT_EQ(combo->Style, 2);
  EXPECT_EQ(combo->Bitmap.Width(), 50 * 4);
  EXPECT_EQ(combo->Bitmap.Height(), 21);
  EXPECT_EQ(combo->LeftWidth, 2);
  EXPECT_EQ(combo->RightWidth, arrow + 2);
  EXPECT_EQ(sunk->LeftWidth, arrow + 2);
  EXPECT_EQ(sunk->RightWidth, 2);
  EXPECT_EQ(sunk->Bitmap, MirrorHorizontal(combo->Bitmap));
  // The edit area shows through.
  EXPECT_EQ(combo->Bitmap.At(10, 10), kMagenta);
  EXPECT_NE(combo->Bitmap.At(49 - 2, 10), kMagenta);
  // The right-to-left copy of the original button strip was taken before composing.
  EXPECT_EQ(combo->Bitmap2.Width(), 18 * 4);

  const TDataSkinObject* arrowCells = m.Element(SkinElement::ComboxArrow);
  ASSERT_NE(arrowCells, nullptr);
  EXPECT_EQ(arrowCells->Bitmap.Width(), 17 * 4);
  EXPECT_EQ(arrowCells->Bitmap.Height(), 17);
  EXPECT_EQ(arrowCells->FrameCount, 4);
  // Cell 2 comes from the rectangle ending 2 pixels before frame 2's right edge, rows 2 to 18.
  EXPECT_EQ(arrowCells->Bitmap.At(17 + 16, 0), combo->Bitmap.At(100 - 3, 2));
}

TEST_F(SkinDataTest, EmbeddedSkinColoursAreGiven) {
  const SkinModel& m = LoadEmbedded();
  EXPECT_EQ(m.Colour(SkinColour::ButtonFace), MakeColour(243, 245, 248));
  EXPECT_TRUE(m.Given(SkinColour::ButtonFace));
  EXPECT_EQ(m.Colour(SkinColour::Hilight), MakeColour(30, 108, 196));
  EXPECT_EQ(m.ButtonFaceBrush, MakeColour(243, 245, 248));
  EXPECT_EQ(m.CustomColours[9], kWhite);
  const Bitmap32& toolbar = m.Element(SkinElement::Toolbar)->Bitmap;
  EXPECT_EQ(toolbar.Width(), 10);
  EXPECT_EQ(toolbar.Height(), 40);
  EXPECT_EQ(PixelToColour(toolbar.At(0, 0)),
            MixColour(m.Colour(SkinColour::ButtonFace), kWhite, 150));
}

TEST_F(SkinDataTest, LoadedRequestsActivationAndAdjustsControls) {
  LoadEmbedded();
  EXPECT_TRUE(data.Active());
  EXPECT_TRUE(manager.exists);
  EXPECT_TRUE(manager.hookInstalled);
  ASSERT_EQ(manager.registered.size(), 1u);
  ASSERT_EQ(manager.pending.size(), 1u);
  EXPECT_EQ(manager.pending[0].action, SkinAction::Activate);
  EXPECT_EQ(manager.pending[0].delayMs, 250);
  // xcMainMenu is in the set, so xcMenuItem goes (it was not there anyway).
  EXPECT_TRUE(data.SkinControls.Contains(TSkinControlType::xcSystemMenu));
  EXPECT_FALSE(data.SmallIcon().Empty());
  EXPECT_EQ(data.MenuGlyphs().Width(), 112);

  int changed = 0;
  data.OnSkinChanged = [&](TSkinData&) { ++changed; };
  manager.RunPending();
  EXPECT_EQ(changed, 1);
  EXPECT_TRUE(manager.skinningOn);
}

TEST_F(SkinDataTest, WithoutMainMenuTheSystemMenuIsDropped) {
  data.SkinControls.Exclude(TSkinControlType::xcMainMenu);
  data.SkinControls.Include(TSkinControlType::xcMenuItem);
  LoadEmbedded();
  EXPECT_FALSE(data.SkinControls.Contains(TSkinControlType::xcSystemMenu));
  EXPECT_TRUE(data.SkinControls.Contains(TSkinControlType::xcMenuItem));
}

TEST_F(SkinDataTest, WithoutScrollBarInfoScrollbarsAreNotSkinned) {
  platform.scrollBarInfo = false;
  LoadEmbedded();
  EXPECT_FALSE(data.SkinControls.Contains(TSkinControlType::xcScrollbar));
}

TEST_F(SkinDataTest, RejectedArchiveLeavesNoSkinAndActiveFalse) {
  std::vector<std::uint8_t> bad = EnvelopeOf({{"a.ini", Bytes("[x]")}});
  bad[8] = 0x11; // damage the first archive bytes
  bad[9] = 0x22;
  ReadForm(data, bad);
  EXPECT_TRUE(data.NoSkin());
  EXPECT_FALSE(data.Active());
  EXPECT_TRUE(manager.pending.empty());
  data.SetActive(true); // stored, but no request
  EXPECT_TRUE(data.Active());
  EXPECT_TRUE(manager.pending.empty());
}

TEST_F(SkinDataTest, EmptyEnvelopeStoresNothing) {
  const std::vector<std::uint8_t> none = {0, 0, 0, 0};
  ReadForm(data, none);
  EXPECT_TRUE(data.StoredArchive().empty());
  EXPECT_TRUE(data.NoSkin());
  const std::vector<std::uint8_t> negative = {0xFF, 0xFF, 0xFF, 0xFF, 1, 2};
  data.ReadSkinStream(negative);
  EXPECT_TRUE(data.StoredArchive().empty());
}

TEST_F(SkinDataTest, RejectedReloadKeepsThePreviousSkin) {
  LoadEmbedded();
  const std::string name = data.Model().SkinName;
  const std::vector<std::uint8_t> older =
      SkinEnvelope(CompressRaw({0x10, 0x27, 0, 0, 0, 0, 0, 0})); // version 10000
  data.ReadSkinStream(older);
  EXPECT_FALSE(data.NoSkin());
  EXPECT_EQ(data.Model().SkinName, name);
  EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(SkinDataTest, RuntimeActiveChangesRequestActions) {
  LoadEmbedded();
  manager.RunPending();
  data.SetActive(false);
  ASSERT_EQ(manager.pending.size(), 1u);
  EXPECT_EQ(manager.pending[0].action, SkinAction::Deactivate);
  data.SetActive(true);
  ASSERT_EQ(manager.pending.size(), 2u);
  EXPECT_EQ(manager.pending[1].action, SkinAction::Activate);
  EXPECT_TRUE(manager.running);
}

TEST_F(SkinDataTest, OnlyThisFormSkinsItsOwner) {
  data.SkinFormtype = TSkinFormType::sfOnlyThisForm;
  LoadEmbedded();
  EXPECT_TRUE(manager.running);
  EXPECT_FALSE(manager.hookInstalled);
  ASSERT_EQ(manager.ownerFormsSkinned.size(), 1u);
  data.SetActive(false);
  ASSERT_EQ(manager.pending.size(), 1u);
  EXPECT_EQ(manager.pending[0].scope, SkinScope::OwnerForm);
}

TEST_F(SkinDataTest, SkinFileAtRunTimeLoadsAndRequestsReload) {
  LoadEmbedded();
  manager.RunPending();
  manager.running = true;
  const std::string path = testing::TempDir() + "tw_skin_file.skn";
  {
    const auto skinFile =
        SkinFileOf({{"x.ini", Bytes("[TitlebarSkin]\r\nSkinName=From file\r\n")}});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(skinFile.data()),
               static_cast<std::streamsize>(skinFile.size()));
  }
  data.SetSkinFile(path);
  EXPECT_EQ(data.Model().SkinName, "From file");
  ASSERT_EQ(manager.pending.size(), 1u);
  EXPECT_EQ(manager.pending[0].action, SkinAction::Reload);
  std::remove(path.c_str());

  data.SetSkinFile(path + ".missing"); // nothing happens
  EXPECT_EQ(data.Model().SkinName, "From file");
}

TEST_F(SkinDataTest, DesigningKeepsTheArchiveUnloaded) {
  data.SetDesigning(true);
  data.ReadSkinStream(EmbeddedSkinStream());
  EXPECT_TRUE(data.NoSkin());
  EXPECT_EQ(data.SkinStore(), "(Good)");
  EXPECT_EQ(data.WriteSkinStream(),
            std::vector<std::uint8_t>(EmbeddedSkinStream().begin(), EmbeddedSkinStream().end()));
  data.SetSkinFile("anything.skn");
  EXPECT_TRUE(data.StoredArchive().empty());
  EXPECT_EQ(data.SkinStore(), "(none)");
}

TEST_F(SkinDataTest, SectionNamedButtonIsIgnored) {
  const SkinModel& m = LoadIni(
      "[Button]\r\nAction=0\r\n[BUTTONS]\r\nAction=0\r\n[Button.Radio]\r\nAction=0\r\n"
      "[Button.CheckBox]\r\nAction=0\r\n[ButtonX]\r\nAction=0\r\n[NotAButton]\r\nAction=0\r\n");
  ASSERT_EQ(m.SysButtons.size(), 1u + 3u);
  EXPECT_EQ(m.SysButtons[0].Name, "BUTTONX");
}

TEST_F(SkinDataTest, CaptionButtonFiltersAndDefaults) {
  const SkinModel& m = LoadIni("[ButtonA]\r\nVisibility=3\r\n" // Action -1, Visibility 3: dropped
                               "[ButtonB]\r\nVisibility=0\r\n" // Action -1, Visibility 0: kept
                               "[ButtonC]\r\nAction=1\r\nVisibility=2\r\nXcoord=40\r\nYcoord=6\r\n"
                               "[ButtonD]\r\nAction=4\r\nXcoord=99\r\n");
  ASSERT_EQ(m.SysButtons.size(), 3u + 3u);
  EXPECT_EQ(m.SysButtons[0].Name, "BUTTONB");
  EXPECT_EQ(m.SysButtons[0].Visibility1, -1);
  EXPECT_EQ(m.SysButtons[0].FrameCount, 6);
  EXPECT_EQ(m.SysButtons[2].XCoord, 40); // takes the maximize button's place
  EXPECT_EQ(m.SysButtons[2].YCoord, 6);
}

TEST_F(SkinDataTest, CaptionButtonFrameCountRules) {
  const SkinModel& m = LoadIni(
      "[Button1]\r\nAction=0\r\nButtonImage=wide.bmp\r\n"
      "[Button2]\r\nAction=0\r\nButtonImage=narrow.bmp\r\n"
      "[Button3]\r\nAction=-2\r\nVisibility=0\r\nButtonImage=narrow.bmp\r\n"
      "[Button4]\r\nAction=11\r\nButtonImage=narrow.bmp\r\n"
      "[Button5]\r\nAction=11\r\nframe=1\r\nButtonImage=narrow.bmp\r\n",
      {{"wide.bmp", SolidBmp(78, 20, 0x112233)}, {"narrow.bmp", SolidBmp(60, 20, 0x445566)}});
  ASSERT_EQ(m.SysButtons.size(), 5u + 3u);
  EXPECT_EQ(m.SysButtons[0].FrameCount, 6); // 78 / 20 = 3.9
  EXPECT_EQ(m.SysButtons[1].FrameCount, 3); // 60 / 20 = 3.0
  EXPECT_EQ(m.SysButtons[2].FrameCount, 6); // negative Action
  EXPECT_EQ(m.SysButtons[3].FrameCount, 3);
  EXPECT_TRUE(m.SysButtons[3].Bitmap.Empty());
  EXPECT_EQ(m.SysButtons[4].FrameCount, 1);
  EXPECT_FALSE(m.SysButtons[4].Bitmap.Empty());
}

TEST_F(SkinDataTest, MdiControlsImageIsCutInThree) {
  Bitmap32 mdi(12 * 5, 4);
  for (int x = 0; x < mdi.Width(); ++x)
    for (int y = 0; y < 4; ++y)
      mdi.Set(x, y, static_cast<Pixel>(x));
  const SkinModel& m =
      LoadIni("[MDICONTROLS]\r\nImage=mdi.bmp\r\n", {{"mdi.bmp", WriteBmp24(mdi)}});
  ASSERT_EQ(m.SysButtons.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& b = m.SysButtons[static_cast<std::size_t>(i)];
    EXPECT_EQ(b.XCoord, (5 + 4) * (3 - i));
    EXPECT_EQ(b.Bitmap.Width(), 20);
    EXPECT_EQ(b.Bitmap.At(0, 0), static_cast<Pixel>(20 * i));
  }
}

TEST_F(SkinDataTest, BitmapNamesMustEndInLowerCaseBmp) {
  const SkinModel& m = LoadIni("[Personality]\r\nLeft=C:\\skins\\side.bmp\r\nRight=side.BMP\r\n"
                               "Top=side\r\nBottom=missing.bmp\r\n",
                               {{"side.bmp", SolidBmp(8, 8, 0x010203)}});
  EXPECT_FALSE(m.Border(BorderSide::Left).Bitmap.Empty());
  EXPECT_TRUE(m.Border(BorderSide::Right).Bitmap.Empty());
  EXPECT_TRUE(m.Border(BorderSide::Top).Bitmap.Empty());
  EXPECT_TRUE(m.Border(BorderSide::Bottom).Bitmap.Empty());
  EXPECT_EQ(m.FrameColour, m.Colour(SkinColour::ButtonFace)); // no Top bitmap
}

TEST_F(SkinDataTest, ColourParsingAndDefaults) {
  platform.colours[SysColour::BtnFace] = MakeColour(1, 2, 3);
  platform.colours[SysColour::WindowText] = MakeColour(9, 9, 9);
  const SkinModel& m = LoadIni("[Colours]\r\nWindowText=230, 235,245\r\nButtonText=none\r\n"
                               "Hilight=7\r\nMenu=1 2 3 4\r\n"
                               "[ColourA]\r\ncolor=10 20 30\r\n[Colours2]\r\n"
                               "[Customcolors]\r\nColor3=0 0 255\r\n");
  EXPECT_EQ(m.Colour(SkinColour::WindowText), MakeColour(230, 235, 245));
  EXPECT_EQ(m.Colour(SkinColour::ButtonText), 0); // no digits: black
  EXPECT_TRUE(m.Given(SkinColour::ButtonText));
  EXPECT_EQ(m.Colour(SkinColour::Hilight), MakeColour(7, 0, 0));
  EXPECT_EQ(m.Colour(SkinColour::Menu), MakeColour(1, 2, 3));
  EXPECT_EQ(m.Colour(SkinColour::ButtonFace), MakeColour(1, 2, 3));
  EXPECT_FALSE(m.Given(SkinColour::ButtonFace));
  EXPECT_EQ(m.Colour(SkinColour::Menubar), MakeColour(1, 2, 3)); // slot 3's value
  ASSERT_EQ(m.ExtraColours.size(), 2u);
  EXPECT_EQ(m.ExtraColours[0], MakeColour(10, 20, 30));
  EXPECT_EQ(m.ExtraColours[1], MakeColour(9, 9, 9));
  EXPECT_EQ(m.CustomColours[3], MakeColour(0, 0, 255));
  EXPECT_EQ(m.CustomColours[0], kWhite);
  // Colours of elements default to the ButtonText colour.
  EXPECT_EQ(m.Buttons.NormalColour2, 0);
  EXPECT_FALSE(m.Buttons.NormalColour2Given);
}

TEST_F(SkinDataTest, ElementKeysPerKind) {
  const SkinModel& m =
      LoadIni("[Tabs]\r\nImage=e.bmp\r\nTile=2\r\nFrame=9\r\nNormalColour=0x10\r\nBorder=e.bmp\r\n"
              "[Tab.Pane]\r\nImage=e.bmp\r\nLeftWidth=9\r\nrightwidth=3\r\nTopHeight="
              "5\r\nBottomHeight=4\r\n"
              "[Progress]\r\nBitmap=e.bmp\r\nTile=5\r\n"
              "[Headerbar]\r\nImage=e.bmp\r\n"
              "[GroupBox]\r\nImage=e.bmp\r\nBackgroundLeftShift=6\r\n"
              "[StatusBarEdges]\r\nStyle=1\r\n"
              "[Progress.Chunk]\r\nImage=e.bmp\r\nFrame=7\r\n"
              "[ComboButton]\r\nImage=e.bmp\r\n****=e.bmp\r\n",
              {{"e.bmp", SolidBmp(40, 10, 0x00FF00)}});
  const auto* tabs = static_cast<const TDataSkinBorder*>(m.Element(SkinElement::Tabs));
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->Tile, 0);
  EXPECT_EQ(tabs->FrameCount, 5);
  EXPECT_EQ(tabs->NormalColour, 16);
  EXPECT_FALSE(tabs->Bitmap2.Empty());
  const TDataSkinObject* pane = m.Element(SkinElement::TabPane);
  EXPECT_EQ(pane->LeftWidth, 4);
  EXPECT_EQ(pane->RightWidth, 3);
  EXPECT_EQ(pane->TopHeight, 4);
  EXPECT_EQ(pane->BottomHeight, 4);
  EXPECT_EQ(m.Element(SkinElement::Progress)->Tile, 1);
  EXPECT_EQ(m.Element(SkinElement::Progress)->FrameCount, 2); // Style 0
  EXPECT_EQ(m.Element(SkinElement::Headerbar)->FrameCount, 5);
  EXPECT_EQ(
      static_cast<const TDataSkinBoxLabel*>(m.Element(SkinElement::GroupBox))->BackgroundLeftShift,
      6);
  EXPECT_EQ(m.Element(SkinElement::StatusBarEdges), nullptr); // no Image, no element
  EXPECT_EQ(m.Element(SkinElement::ProgressChunk)->FrameCount, 7);
  // ComboButton without SunkEdge: its arrow copy has magenta replaced by ButtonFace.
  const auto* combo = static_cast<const TDataSkinBorder*>(m.Element(SkinElement::ComboButton));
  EXPECT_EQ(combo->Bitmap2, MirrorHorizontal(combo->Bitmap));
  EXPECT_EQ(combo->Style, 0);
  EXPECT_EQ(m.Element(SkinElement::ComboxArrow)->FrameCount, 4);
}

TEST_F(SkinDataTest, AMissingBitmapKeepsItsElementOnlyAMissingImageKeyDropsIt) {
  const SkinModel& m = LoadIni("[Tabs]\r\nImage=gone.bmp\r\nLeftWidth=3\r\n"
                               "[Progress]\r\nBitmap=gone.bmp\r\nStyle=1\r\n"
                               "[Personality]\r\nmenuBar=gone.bmp\r\n"
                               "[Track]\r\nImage=gone.bmp\r\n"
                               "[Headerbar]\r\nStyle=1\r\nImage=\r\n"
                               "[SunkEdge]\r\nImage=sunk.bmp\r\n"
                               "[ComboButton]\r\nImage=gone.bmp\r\n",
                               {{"sunk.bmp", SolidBmp(40, 21, 0x336699)}});
  const TDataSkinObject* tabs = m.Element(SkinElement::Tabs);
  ASSERT_NE(tabs, nullptr);
  EXPECT_TRUE(tabs->Bitmap.Empty());
  EXPECT_EQ(tabs->LeftWidth, 3);
  EXPECT_EQ(tabs->FrameCount, 5);
  ASSERT_NE(m.Element(SkinElement::Progress), nullptr);
  EXPECT_EQ(m.Element(SkinElement::Progress)->FrameCount, 1);
  ASSERT_NE(m.Element(SkinElement::MenuBar), nullptr);
  EXPECT_TRUE(m.Element(SkinElement::MenuBar)->Bitmap.Empty());
  // The skin has a Track section, so the program's bitmap does not stand in; TRACKVERT has none.
  ASSERT_NE(m.Element(SkinElement::Track), nullptr);
  EXPECT_TRUE(m.Element(SkinElement::Track)->Bitmap.Empty());
  ASSERT_NE(m.Element(SkinElement::TrackVert), nullptr);
  EXPECT_FALSE(m.Element(SkinElement::TrackVert)->Bitmap.Empty());
  EXPECT_EQ(m.Element(SkinElement::Headerbar), nullptr); // an empty Image names nothing
  // The combo strip is composed although ComboButton's own bitmap is missing: SunkEdge shows
  // in every cell, also where the button would be, and the inner area is transparent.
  const TDataSkinObject* combo = m.Element(SkinElement::ComboButton);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->Style, 2);
  ASSERT_EQ(combo->Bitmap.Width(), 50 * 4);
  EXPECT_EQ(combo->Bitmap.At(1, 10), 0x336699u);
  EXPECT_EQ(combo->Bitmap.At(49, 10), 0x336699u);
  EXPECT_EQ(combo->Bitmap.At(10, 10), kMagenta);
}

TEST_F(SkinDataTest, ComboxArrowReplacesMagentaWithButtonFace) {
  Bitmap32 combo(8, 2, kMagenta);
  combo.Set(0, 0, 0x123456);
  const SkinModel& m = LoadIni("[Colours]\r\nButtonFace=1 2 3\r\n[ComboButton]\r\nImage=c.bmp\r\n",
                               {{"c.bmp", WriteBmp24(combo)}});
  const Bitmap32& arrow = m.Element(SkinElement::ComboxArrow)->Bitmap;
  EXPECT_EQ(arrow.At(0, 0), 0x123456u);
  EXPECT_EQ(arrow.At(1, 0), MakePixel(1, 2, 3));
}

TEST_F(SkinDataTest, BorderKeysAndClamps) {
  const SkinModel& m =
      LoadIni("[Personality]\r\nLeft=s.bmp\r\nLeftFrame=3\r\nLeftStretch=4\r\n"
              "LeftTopHeight=7\r\nLeftBotHeight=2\r\nTop=s.bmp\r\nTopTopHeight=5\r\n"
              "TopBotHeight=6\r\nTopTrans=0\r\nTopStretch=0\r\n",
              {{"s.bmp", SolidBmp(9, 9, 0x0000FF)}});
  const TDataSkinBorder& left = m.Border(BorderSide::Left);
  EXPECT_EQ(left.FrameCount, 3);
  EXPECT_EQ(left.Tile, 1);
  EXPECT_EQ(left.Trans, 1);
  EXPECT_EQ(left.TopHeight, 7);
  EXPECT_EQ(left.BottomHeight, 2);
  EXPECT_EQ(left.LeftWidth, 0);
  const TDataSkinBorder& top = m.Border(BorderSide::Top);
  EXPECT_EQ(top.LeftWidth, 5);
  EXPECT_EQ(top.RightWidth, 6);
  EXPECT_EQ(top.TopHeight, 0);
  EXPECT_EQ(top.Trans, 0);
  EXPECT_EQ(top.Tile, 0);
  EXPECT_EQ(m.FrameColour, MakeColour(0, 0, 255));
}

TEST_F(SkinDataTest, MissingIniStillLoadsDefaults) {
  LoadIni("", {});
  EXPECT_FALSE(data.NoSkin());
  TSkinData other;
  const std::vector<std::uint8_t> noIni = EnvelopeOf({{"a.bmp", SolidBmp(2, 2, 0)}});
  ReadForm(other, noIni);
  EXPECT_FALSE(other.NoSkin());
  EXPECT_EQ(other.Model().SysButtons.size(), 3u);
  EXPECT_EQ(other.Model().Buttons.CheckFrame, 4);
}

TEST_F(SkinDataTest, MixColourRoundsAndResolvesSystemColours) {
  EXPECT_EQ(MixColour(MakeColour(100, 0, 0), MakeColour(0, 0, 0), 50), MakeColour(50, 0, 0));
  EXPECT_EQ(MixColour(MakeColour(255, 255, 255), MakeColour(0, 0, 0), 150), MakeColour(38, 38, 38));
  platform.colours[SysColour::BtnFace] = MakeColour(200, 100, 50);
  EXPECT_EQ(MixColour(SystemColourReference(SysColour::BtnFace), MakeColour(0, 0, 0), 99),
            MakeColour(198, 99, 50));
}

} // namespace
} // namespace tw::test

namespace tw::test {
namespace {

TEST_F(SkinDataTest, EmbeddedDefinitionMeetsWhatTheWindowReliesOn) {
  const auto envelope = EmbeddedSkinStream();
  TMemoryStream stream(envelope.subspan(4));
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadSkin(stream));
  TMemoryStream text;
  std::string name;
  reader.ExtractEntryLike(".ini", text, name);
  TQuickIni ini;
  ini.LoadFromStream(text);
  EXPECT_EQ(ini.ReadString("Buttons", "CheckButtonFrame", "absent"), "absent");
  EXPECT_EQ(ini.ReadInteger("Progress", "Style", 0), 1);
  EXPECT_EQ(ini.ReadInteger("Headerbar", "Frame", 0), 4);
  EXPECT_EQ(ini.ReadInteger("MenuItem", "Frame", 0), 5);
  EXPECT_GE(ini.SectionIndex("Colours"), 0);
  EXPECT_GE(ini.SectionIndex("Progress.Chunk"), 0);
  EXPECT_GE(ini.SectionIndex("Tab.Pane"), 0);
  EXPECT_FALSE(ini.ReadString("Personality", "TextBack", "").empty());
  for (const char* section : {"Button1", "Button2", "Button3", "Button4", "Button5"})
    EXPECT_GE(ini.SectionIndex(section), 0) << section;
}

TEST_F(SkinDataTest, ElementDrawHonoursTransAndFrame) {
  TDataSkinObject e;
  e.Bitmap = Bitmap32(4, 2, 0x111111);
  e.Bitmap.Set(2, 0, kMagenta);
  e.FrameCount = 2;
  Bitmap32 target(2, 2, 0xABCDEF);
  e.Trans = 1;
  e.Draw(target, target.Bounds(), 2);
  EXPECT_EQ(target.At(0, 0), 0xABCDEFu); // magenta of frame 2 left out
  EXPECT_EQ(target.At(1, 0), 0x111111u);
  e.Trans = 0;
  e.Draw(target, target.Bounds(), 2);
  EXPECT_EQ(target.At(0, 0), kMagenta);
}

} // namespace
} // namespace tw::test
