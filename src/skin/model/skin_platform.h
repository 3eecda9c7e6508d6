#pragma once
// What the skin model needs from the windowing platform: the user's message box, system colours
// and metrics, the program's own bitmap resources, the caption font and the application icon.
// The Win32 build installs the real platform; PortableSkinPlatform answers with the classic
// Windows look and records messages, for native builds and tests.

#include <map>
#include <string>
#include <vector>

#include "skin/model/bitmap.h"
#include "skin/model/colour.h"

namespace tw {

enum class SystemMetric {
  HorzScrollArrowWidth, // width of the arrow of a horizontal scroll bar
  VertScrollWidth,
  MenuBarHeight,
  CaptionHeight,
  FrameWidth,
  SmallIconWidth,
  SmallIconHeight,
};

// Bitmap resources that the program carries besides the skin.
enum class ProgramBitmap {
  Track,      // "TRACK": fall-back horizontal track-bar channel
  TrackVert,  // "TRACKVERT": fall-back vertical track-bar channel
  MenuGlyphs, // 112 x 16 monochrome strip of seven 16 x 16 menu glyphs, white as mask colour
};

struct CaptionFont {
  std::string faceName;
  int height = 0; // character height in pixels, negative as the platform reports it
  int weight = 400;
};

class SkinPlatform {
public:
  virtual ~SkinPlatform() = default;

  // A modal message box with the text (lines separated by CR).
  virtual void ShowMessage(const std::string& text) = 0;
  virtual TColor SystemColour(SysColour slot) const = 0;
  virtual int Metric(SystemMetric metric) const = 0;
  // An empty bitmap when the program lacks the resource.
  virtual Bitmap32 LoadProgramBitmap(ProgramBitmap which) const = 0;
  virtual CaptionFont SystemCaptionFont() const = 0;
  // The application's small icon over magenta.
  virtual Bitmap32 ApplicationSmallIcon() const = 0;
  // Whether the platform can describe scroll bars (without it scroll bars are not skinned).
  virtual bool HasScrollBarInfo() const = 0;
};

class PortableSkinPlatform : public SkinPlatform {
public:
  PortableSkinPlatform();

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  TColor SystemColour(SysColour slot) const override;
  int Metric(SystemMetric metric) const override;
  Bitmap32 LoadProgramBitmap(ProgramBitmap which) const override;
  CaptionFont SystemCaptionFont() const override { return {"Tahoma", -11, 700}; }
  Bitmap32 ApplicationSmallIcon() const override;
  bool HasScrollBarInfo() const override { return scrollBarInfo; }

  // Open to tests: what was shown, and the answers the platform gives.
  std::vector<std::string> messages;
  std::map<SysColour, TColor> colours;
  std::map<SystemMetric, int> metrics;
  bool scrollBarInfo = true;
  bool programBitmaps = true;
};

} // namespace tw
