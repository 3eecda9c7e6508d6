#pragma once
// Opening a further main window. The Win32 program realises the new form as a window owned by
// the current one; the portable host keeps the created forms (tests look at them).

#include <memory>
#include <vector>

namespace tw {

class TWKSForm;

class FormHost {
public:
  virtual ~FormHost() = default;
  // Creates a further form (its FormCreate runs), owned by `owner`, and shows it, not modal.
  virtual void ShowOwnedForm(TWKSForm& owner) = 0;
};

class PortableFormHost final : public FormHost {
public:
  void ShowOwnedForm(TWKSForm& owner) override;
  std::vector<std::unique_ptr<TWKSForm>> forms;
};

} // namespace tw
