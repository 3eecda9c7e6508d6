#pragma once
// The skinned form as the parts it owns see it: its members (controls, size grips, a list's
// header) and its menu bar. They reach the form only through this: its window, its skin, the
// frame's geometry, the window's activity, the hot non-client object, and a frame repaint.

#include <windows.h>

#include "skin/model/skin_data.h"
#include "skin/paint/form_layout.h"
#include "skin/paint/nc_object.h"

namespace tw {

class FormSite : public NcHost {
public:
  virtual HWND Handle() const = 0;
  virtual TSkinData& SkinData() const = 0;
  virtual const FormGeometry& Geometry() const = 0;
  virtual void RepaintFrame() = 0;
};

} // namespace tw
