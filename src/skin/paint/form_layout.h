#pragma once
// The skinned frame's pure rules, over rectangles and the loaded skin: border geometry and the
// client area, which caption buttons show and act, where they and the caption text go, which
// frames they and the borders draw, hit testing, the command a click means and the hint text.
// The Win32 window procedure measures, asks these functions and blits.

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "skin/model/bitmap.h"
#include "skin/model/skin_objects.h"
#include "skin/paint/form_style.h"

namespace tw {

// ---- Geometry

// The platform's frame metrics the geometry needs.
struct FrameMetrics {
  int menuBarHeight = 19; // one menu bar line
  int captionHeight = 18; // a standard caption
  int frameWidth = 4;     // a sizing frame
};

enum class WindowMenu { Absent, Present };

// Border sizes in pixels. The client area starts Top() below the window's top.
struct FormGeometry {
  int left = 0;
  int caption = 0;
  int right = 0;
  int bottom = 0;
  int menuBar = 0;     // 0 without a menu
  int mdiExtraTop = 0; // MDI children whose skin caption is lower than the standard one
  constexpr int Top() const { return caption + menuBar + mdiExtraTop; }
  friend constexpr bool operator==(const FormGeometry&, const FormGeometry&) = default;
};

// Borders from the skin's frame bitmaps (one frame each); all 0 for a window without caption.
FormGeometry ComputeGeometry(const SkinModel& skin, BorderStyle border, WindowMenu menu,
                             MdiRole role, const FrameMetrics& metrics);

// Whether the non-client size calculation uses the skin's borders or keeps the standard one.
enum class ClientCalculation { Skin, Standard };
// Maximized MDI children and windows without caption keep the standard calculation.
ClientCalculation ClientCalculationFor(BorderStyle border, MdiRole role, WindowState state);
// The client rectangle inside a window rectangle (same coordinates).
Rect SkinClientRect(Rect window, const FormGeometry& geometry);
// The window rectangle around a client rectangle: how large the window must be so that its
// client area keeps its size and place when the skin's borders replace the standard ones.
Rect WindowRectForClient(Rect client, const FormGeometry& geometry);

// ---- Caption buttons: visibility and availability

enum class Activity { Active, Inactive };

// What the frame knows about its window at one moment.
struct FormFacts {
  BorderStyle border = BorderStyle::Sizeable;
  MdiRole role = MdiRole::None;
  WindowState state = WindowState::Normal;
  Activity activity = Activity::Active;
  BorderIcons icons;
  bool standardMessageDialog = false; // a message box of the platform ("#32770" with text)
  bool mdiChildMaximized = false;     // MDI frame: its active child is maximized
  bool skinnedMenuBar = false;        // the window's menu bar is painted by the skin
  bool rightToLeft = false;           // left-scroll-bar extended style
  bool popup = false;                 // popup style
};

// Asks the window whether a button with a Visibility code from 1000 to 2000 may show
// (message 13589 with the code and the Action); a reply above 0 shows it.
using VisibilityQuery = std::function<int(int code, int action)>;

// Which of a button's two visibility codes is judged.
enum class VisibilitySlot { Visibility, Visibility1 };

bool VisibilityAllows(int code, VisibilitySlot slot, int action, const FormFacts& facts,
                      const VisibilityQuery& query);

struct ButtonAvailability {
  bool visible = false;
  bool enabled = true;
  friend constexpr bool operator==(const ButtonAvailability&, const ButtonAvailability&) = default;
};

// Both visibility codes, then the Action's adjustments: close hides without a system menu,
// maximize and minimize are enabled only with their box and a system menu, the icon buttons
// (3, 11, 12) hide on dialogs.
ButtonAvailability CaptionButtonAvailability(const TDataSkinSysButton& button,
                                             const FormFacts& facts, const VisibilityQuery& query);

// The form's own copies of the skin's caption buttons: a button with Action 3 or 11 and no
// bitmap takes the captured icon as its one-frame bitmap.
std::vector<TDataSkinSysButton> FormCaptionButtons(const SkinModel& skin, const Bitmap32& icon);

// ---- Caption buttons and text: placement

// Pointer state of a hot non-client object.
enum class NcState { Normal = 1, Hover = 2, Pressed = 3 };

struct CaptionButtonPlacement {
  int index = 0; // into the form's caption buttons
  Rect rect;     // window coordinates
  bool visible = false;
  bool enabled = true;
  NcState state = NcState::Normal;
};

struct CaptionTextPlacement {
  Rect back;         // where the TextBack three-slice goes (text width plus both margins)
  Rect text;         // where the text itself is drawn (inside the margins)
  int clipRight = 0; // nothing of the text right of this x
  bool ellipsis = true;
};

struct LayoutInput {
  int windowWidth = 0;
  int windowHeight = 0;
  FormGeometry geometry;
  FormFacts facts;
  int textWidth = 0;           // of " " + the caption, measured single-line in the caption font
  int textHeight = 0;          // of the caption font's line
  int mdiControlAreaWidth = 0; // a maximized MDI child's own control area on the menu bar
};

struct FrameLayout {
  std::vector<CaptionButtonPlacement> buttons; // one per form caption button, in order
  CaptionTextPlacement text;
  int rightButtonsLeft = 0; // left edge of the leftmost visible right-aligned (Align 1) button
};

struct ButtonSize {
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const ButtonSize&, const ButtonSize&) = default;
};
// One frame of the button's bitmap: width / FrameCount by the bitmap's height.
ButtonSize CaptionButtonSize(const TDataSkinSysButton& button);

// Caption text position for a known leftmost right-aligned button: alignment 0 at TextShift,
// 1 centred, 2 against TextRightClip; right-to-left windows mirror and move 10 pixels right;
// dialogs with alignment 0 move 16 pixels left; vertically centred plus TextShiftVert / 2;
// popups clip 5 pixels before the right-aligned buttons, others at TextRightClip.
CaptionTextPlacement PlaceCaptionText(const TDataSkinTitle& title, const LayoutInput& input,
                                      int rightButtonsLeft);

// Where a button of the given Align goes (window coordinates), its size one frame.
Rect PlaceCaptionButton(const TDataSkinSysButton& button, const LayoutInput& input,
                        const CaptionTextPlacement& text);

// The whole caption: availability of every button, the right-aligned buttons, the text, then
// the buttons placed beside the text (Align 2, 3, 8, 9).
FrameLayout LayoutFrame(const SkinModel& skin, std::span<const TDataSkinSysButton> buttons,
                        const LayoutInput& input, const VisibilityQuery& query);

// ---- Frames to draw

// Frame 1 normal, 2 hover, 3 pressed; 4 disabled (1 for strips of 3 frames or fewer) or, for
// strips of 4 or more, in an inactive window; MDI buttons (Visibility 100) show 4 when pressed.
int CaptionButtonFrame(const TDataSkinSysButton& button, NcState state, bool enabled,
                       Activity activity);
// Frame 1 when the window is active or the border has one frame, else frame 2.
int BorderFrame(Activity activity, int frameCount);

// ---- Hit testing

inline constexpr int kHtNowhere = 0;
inline constexpr int kHtClient = 1;
inline constexpr int kHtCaption = 2;
inline constexpr int kHtSysMenu = 3;
inline constexpr int kHtMenu = 5;
inline constexpr int kHtMinButton = 8;
inline constexpr int kHtMaxButton = 9;
inline constexpr int kHtTop = 12;
inline constexpr int kHtBottom = 15;
inline constexpr int kHtClose = 20;
inline constexpr int kHtHelp = 21;

// The skinned answer after the standard hit test: nowhere or caption become the menu code on
// the menu bar and the caption code more than 3 pixels below the top; others stay.
int SkinHitTest(int standardAnswer, Point inWindow, const FormGeometry& geometry);
// The visible caption button under the point, or -1.
int CaptionButtonAt(const FrameLayout& layout, Point inWindow);

// ---- Actions and hints

enum class CaptionCommand {
  None,
  Close, // system command close, when the window accepts it
  Maximize,
  Restore,
  Minimize,
  SystemMenu, // open the system menu at menuAt (window coordinates)
  ContextHelp,
  MdiChildMinimize, // the active MDI child
  MdiChildRestore,
  MdiChildClose,
  PostAction, // post message 13588 with the Action
};

// A click on an icon button that follows the previous one within the double-click interval.
enum class ClickTiming { Single, WithinDoubleClick };

struct CaptionDecision {
  CaptionCommand command = CaptionCommand::None;
  Point menuAt;   // SystemMenu: the button's bottom-left, one pixel lower
  int action = 0; // PostAction: the wParam
  friend constexpr bool operator==(const CaptionDecision&, const CaptionDecision&) = default;
};

// What releasing the mouse over a caption button does.
CaptionDecision DecideCaptionAction(int action, bool enabled, WindowState state, Rect buttonRect,
                                    ClickTiming timing);

// The hint for a button's Action ("Close", "Maximize", "Minimize", "Restore"), empty for
// others. Shown only with the option xoCaptionButtonHint.
std::string CaptionButtonHint(int action);
// Where the hint window goes: the button's left edge, 24 pixels below the pointer (screen).
Point CaptionHintPosition(Rect buttonOnScreen, Point pointerOnScreen);

} // namespace tw
