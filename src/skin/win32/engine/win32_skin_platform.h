#pragma once
// The skin model's platform on Win32: system colours and metrics, the caption font from the
// non-client metrics, the program's own bitmap resources and small icon, and the user's
// message box.

#include "skin/model/skin_platform.h"

namespace tw::win {

class Win32SkinPlatform final : public SkinPlatform {
public:
  void ShowMessage(const std::string& text) override;
  TColor SystemColour(SysColour slot) const override;
  int Metric(SystemMetric metric) const override;
  Bitmap32 LoadProgramBitmap(ProgramBitmap which) const override;
  CaptionFont SystemCaptionFont() const override;
  Bitmap32 ApplicationSmallIcon() const override;
  bool HasScrollBarInfo() const override;
};

} // namespace tw::win
