// skingen: writes the Trailwick skin (38 bitmaps and the definition INI) and the program's
// bitmap resources, all drawn from code.
//
//   skingen SKIN_DIR RESOURCE_DIR
//
// SKIN_DIR receives the entries and entries.txt, the archive order for skinpack; RESOURCE_DIR
// receives track.bmp, trackvert.bmp and menuglyphs.bmp.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "art.h"
#include "skin/model/bmp.h"

namespace {

using namespace tw;
using namespace tw::skingen;

constexpr const char* kIniName = "trailwick.ini";

struct Entry {
  const char* name;
  std::function<Bitmap32()> draw;
};

const std::vector<Entry>& Entries() {
  static const std::vector<Entry> entries = {
      {"frameleft.bmp", FrameLeft},
      {"frameright.bmp", FrameRight},
      {"frametop.bmp", FrameTop},
      {"framebottom.bmp", FrameBottom},
      {"titleback.bmp", TitleBack},
      {"menubar.bmp", MenuBar},
      {"close.bmp", [] { return CaptionButton(CaptionGlyph::Close); }},
      {"maximize.bmp", [] { return CaptionButton(CaptionGlyph::Maximize); }},
      {"restore.bmp", [] { return CaptionButton(CaptionGlyph::Restore); }},
      {"minimize.bmp", [] { return CaptionButton(CaptionGlyph::Minimize); }},
      {"buttons.bmp", PushButtons},
      {"checkbox.bmp", CheckBoxes},
      {"radio.bmp", RadioButtons},
      {"progress.bmp", ProgressTrough},
      {"progresschunk.bmp", ProgressChunk},
      {"tabs.bmp", Tabs},
      {"tabpane.bmp", TabPane},
      {"groupboxedge.bmp", GroupBoxEdge},
      {"groupbox.bmp", GroupBox},
      {"statusbar.bmp", StatusBarEdges},
      {"toolbars.bmp", ToolBars},
      {"combobutton.bmp", ComboButton},
      {"sunkedge.bmp", SunkEdge},
      {"extraimages.bmp", ExtraImages},
      {"headerbar.bmp", Headerbar},
      {"menuitem.bmp", MenuItem},
      {"menubackground.bmp", MenuBackground},
      {"scrollbar.bmp", ScrollbarParts},
      {"horzscroll.bmp", [] { return ScrollTrack(false); }},
      {"vertscroll.bmp", [] { return ScrollTrack(true); }},
      {"horzthumb.bmp", [] { return ScrollThumb(false); }},
      {"vertthumb.bmp", [] { return ScrollThumb(true); }},
      {"trackthumbhorz.bmp", [] { return TrackbarThumb(false); }},
      {"trackthumbvert.bmp", [] { return TrackbarThumb(true); }},
      {"updownhorz.bmp", [] { return UpDownButtons(false); }},
      {"updownhorzglyph.bmp", [] { return UpDownGlyphs(false); }},
      {"updownvert.bmp", [] { return UpDownButtons(true); }},
      {"updownvertglyph.bmp", [] { return UpDownGlyphs(true); }},
  };
  return entries;
}

constexpr const char* kIni = R"ini(; Trailwick skin: light surfaces, one accent blue, 1-px edges.
[TitlebarSkin]
SkinName=Trailwick Light

[Personality]
Left=frameleft.bmp
LeftFrame=2
LeftStretch=1
LeftTrans=0
LeftTopHeight=30
LeftBotHeight=5
Right=frameright.bmp
RightFrame=2
RightStretch=1
RightTrans=0
RightTopHeight=30
RightBotHeight=5
Top=frametop.bmp
TopFrame=2
TopStretch=1
TopTrans=0
TopTopHeight=0
TopBotHeight=0
Bottom=framebottom.bmp
BottomFrame=2
BottomStretch=1
BottomTrans=0
BottomTopHeight=0
BottomBotHeight=0
TextBack=titleback.bmp
TextShift=28
TextShiftVert=2
TextRightClip=80
TextAlignment=0
TXTBackleft=14
TXTBackRight=4
menuBar=menubar.bmp
TileMenu=1
TileLeftMenu=2
TileRightMenu=2

[Colours]
WindowText=32 40 52
TitleTextActive=28 36 48
TitleTextNoActive=138 146 158
ButtonFace=243 245 248
ButtonText=32 40 52
ButtonHilight=255 255 255
Buttonlight=232 236 241
ButtonShadow=150 160 173
ButtonDkShadow=104 114 128
HilightText=255 255 255
Hilight=30 108 196
Menubar=246 248 250
MenuBarText=32 40 52
MenuText=32 40 52
Menu=255 255 255
Scrollbar=238 241 245

[Button1]
; close
Action=0
Align=1
XCoord=25
YCoord=5
Visibility=0
frame=4
ButtonImage=close.bmp

[Button2]
; maximize, while the window is not maximized
Action=1
Align=1
XCoord=49
YCoord=5
Visibility=2
frame=4
ButtonImage=maximize.bmp

[Button3]
; restore, while the window is maximized
Action=1
Align=1
XCoord=49
YCoord=5
Visibility=1
frame=4
ButtonImage=restore.bmp

[Button4]
; minimize
Action=2
Align=1
XCoord=73
YCoord=5
Visibility=0
frame=4
ButtonImage=minimize.bmp

[Button5]
; the window icon; the form supplies its picture
Action=3
Align=0
XCoord=8
YCoord=7
Visibility=0

[Buttons]
Bitmap=buttons.bmp
CheckButton=checkbox.bmp
RadioButton=radio.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1
Tile=0
NormalColour2=32 40 52
MouseOverColour2=22 86 160
PressedColour2=20 28 40

[Progress]
Bitmap=progress.bmp
Style=1
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1
Tile=0

[Progress.Chunk]
Image=progresschunk.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Frame=1
Trans=1
Tile=0

[GroupBoxEdge]
Image=groupboxedge.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1

[GroupBox]
Image=groupbox.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1
BackgroundAlignment=0

[Tabs]
Image=tabs.bmp
Style=1
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=2
Trans=1
Tile=0
NormalColour2=92 102 116
MouseOverColour2=28 36 48

[Tab.Pane]
Image=tabpane.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2

[StatusBarEdges]
Image=statusbar.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2

[ToolBars]
Image=toolbars.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1

[ComboButton]
Image=combobutton.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1

[SunkEdge]
Image=sunkedge.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1

[ExtraImages]
Image=extraimages.bmp
Trans=1

[Headerbar]
Image=headerbar.bmp
Frame=4
LeftWidth=2
RightWidth=3
TopHeight=2
BottomHeight=3

[MenuItem]
Image=menuitem.bmp
Frame=5
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1

[MenuBackground]
Image=menubackground.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3

[Scrollbar]
Image=scrollbar.bmp
Trans=1

[HorzScroll]
Image=horzscroll.bmp
LeftWidth=1
RightWidth=1
TopHeight=2
BottomHeight=1

[VertScroll]
Image=vertscroll.bmp
LeftWidth=2
RightWidth=1
TopHeight=1
BottomHeight=1

[HorzScrollThumb]
Image=horzthumb.bmp
FrameCount=3
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1

[VertScrollThumb]
Image=vertthumb.bmp
FrameCount=3
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1

[Trackbar.ThumbHorz]
Image=trackthumbhorz.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1

[Trackbar.ThumbVert]
Image=trackthumbvert.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1

[UpDown.Horz]
Image=updownhorz.bmp
GlyphImage=updownhorzglyph.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1

[UpDown.Vert]
Image=updownvert.bmp
GlyphImage=updownvertglyph.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1
)ini";

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<std::uint8_t> IniBytes() {
  // CR LF line ends, as an INI written on Windows has.
  std::vector<std::uint8_t> bytes;
  for (const char* p = kIni; *p != '\0'; ++p) {
    if (*p == '\n')
      bytes.push_back('\r');
    bytes.push_back(static_cast<std::uint8_t>(*p));
  }
  return bytes;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skingen SKIN_DIR RESOURCE_DIR\n");
    return 2;
  }
  const std::filesystem::path skinDir = argv[1];
  const std::filesystem::path resourceDir = argv[2];
  std::filesystem::create_directories(skinDir);
  std::filesystem::create_directories(resourceDir);

  bool ok = WriteFile(skinDir / kIniName, IniBytes());
  std::string manifest = std::string(kIniName) + "\n";
  for (const Entry& entry : Entries()) {
    ok = ok && WriteFile(skinDir / entry.name, WriteBmp24(entry.draw()));
    manifest += std::string(entry.name) + "\n";
  }
  std::ofstream(skinDir / "entries.txt", std::ios::trunc) << manifest;

  ok = ok && WriteFile(resourceDir / "track.bmp", WriteBmp24(TrackChannel(false)));
  ok = ok && WriteFile(resourceDir / "trackvert.bmp", WriteBmp24(TrackChannel(true)));
  ok = ok &&
       WriteFile(resourceDir / "menuglyphs.bmp", WriteBmp1(MenuGlyphStrip(), MakePixel(0, 0, 0)));
  if (!ok) {
    std::fprintf(stderr, "skingen: cannot write the skin files\n");
    return 1;
  }
  return 0;
}
