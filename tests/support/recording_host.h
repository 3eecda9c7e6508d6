#pragma once
// A frame host without a window: it records the repaints its objects ask for and how often the
// pointer was to be looked at again, as the skinned form would act on them.

#include <vector>

#include "skin/model/bitmap.h"
#include "skin/paint/nc_object.h"

namespace tw::test {

class RecordingHost : public NcHost {
public:
  void RepaintObject(TNCObject& object) override { repainted.push_back(&object); }
  void ReevaluatePointer() override { ++reevaluated; }
  Activity CurrentActivity() const override { return Activity::Active; }
  const Bitmap32& WindowIcon() const override { return icon; }

  std::vector<TNCObject*> repainted;
  int reevaluated = 0;
  Bitmap32 icon;
};

} // namespace tw::test
