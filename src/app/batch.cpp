#include "app/batch.h"

namespace tw {
namespace {

class DisabledDuringBatch {
public:
  explicit DisabledDuringBatch(const BatchControls& controls) : controls_(controls) {
    controls_.progress.SetPosition(0);
    SetEnabled(false);
  }
  ~DisabledDuringBatch() {
    SetEnabled(true);
    controls_.progress.SetPosition(0);
  }
  DisabledDuringBatch(const DisabledDuringBatch&) = delete;
  DisabledDuringBatch& operator=(const DisabledDuringBatch&) = delete;

private:
  void SetEnabled(bool enabled) {
    controls_.list.SetEnabled(enabled);
    controls_.grid.SetEnabled(enabled);
    controls_.saveButton.SetEnabled(enabled);
  }
  const BatchControls& controls_;
};

} // namespace

void RunBatch(const BatchControls& controls, int count, const std::function<void(int)>& item) {
  const DisabledDuringBatch guard(controls);
  for (int i = 0; i < count; ++i) {
    item(i);
    controls.progress.StepIt();
  }
}

} // namespace tw
