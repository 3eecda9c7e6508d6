#include "skin/win32/members/create_skin_control.h"

#include "runtime/forms.h"
#include "runtime/win32/native_control.h"
#include "skin/win32/engine/skin_messages.h"
#include "skin/win32/members/skin_members.h"
#include "skin/win32/members/skin_scrollbar.h"

namespace tw {

using namespace win;

namespace {

// What the chooser asks of the control windows of one form.
class FormControlWindows final : public ControlWindows {
public:
  explicit FormControlWindows(const std::vector<std::unique_ptr<TSkinControl>>& made)
      : made_(made) {}
  bool EnsureHandle(TControl& control) override { return HasHandle(control); }
  bool HasHandle(const TControl& control) const override {
    const NativeControl* native = NativeOf(control);
    return native != nullptr && native->Handle() != nullptr;
  }
  bool AlreadySkinned(const TControl& control) const override {
    for (const auto& member : made_)
      if (member->Control() == &control)
        return true;
    const NativeControl* native = NativeOf(control);
    return native != nullptr && native->Handle() != nullptr && AnswersSkinned(native->Handle());
  }
  WindowStyle Style(const TControl& control) const override {
    const NativeControl* native = NativeOf(control);
    return native != nullptr ? static_cast<WindowStyle>(GetWindowLongA(native->Handle(), GWL_STYLE))
                             : 0;
  }
  bool HasBorder(const TControl& control) const override {
    const NativeControl* native = NativeOf(control);
    if (native == nullptr)
      return false;
    RECT window;
    RECT client;
    GetWindowRect(native->Handle(), &window);
    GetClientRect(native->Handle(), &client);
    return window.right - window.left != client.right ||
           window.bottom - window.top != client.bottom;
  }

private:
  const std::vector<std::unique_ptr<TSkinControl>>& made_;
};

} // namespace

std::unique_ptr<TSkinControl> CreateSkinControl(SkinFamily member) {
  if (auto painted = CreatePaintedMember(member))
    return painted;
  if (auto bars = CreateScrollBarMember(member))
    return bars;
  return std::make_unique<TSkinControl>(member);
}

std::vector<std::unique_ptr<TSkinControl>>
SkinFormControlsOf(FormSite& form, TWinSkinForm* sender, std::vector<TSkinControl*>& supplied) {
  std::vector<std::unique_ptr<TSkinControl>> made;
  TSkinData& data = form.SkinData();
  NativeControl* native = NativeControl::FromHandle(form.Handle());
  auto* model = native != nullptr ? dynamic_cast<TForm*>(&native->Model()) : nullptr;
  if (model == nullptr) {
    // A window without a control object: its child windows by class and style.
    for (HWND child = GetWindow(form.Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      char name[128] = {};
      GetClassNameA(child, name, sizeof(name));
      const SkinChoice choice =
          ChooseForWindow(name, static_cast<WindowStyle>(GetWindowLongA(child, GWL_STYLE)), data);
      if (choice.member == SkinFamily::None || choice.member == SkinFamily::Supplied ||
          AnswersSkinned(child))
        continue;
      auto member = CreateSkinControl(choice.member);
      member->AttachHandle(child, data, form);
      made.push_back(std::move(member));
    }
    return made;
  }
  FormControlWindows windows(made);
  ChooserContext context;
  context.data = &data;
  context.windows = &windows;
  context.formObject = sender;
  context.form = model;
  context.controls = model->Controls();
  const FormControlsPlan plan = SkinFormControls(context);
  for (const SkinAssignment& assignment : plan.assignments) {
    if (assignment.control == nullptr || assignment.choice.member == SkinFamily::None)
      continue;
    if (assignment.choice.member == SkinFamily::Supplied) {
      if (assignment.choice.supplied != nullptr) {
        assignment.choice.supplied->Attach(form, data, *assignment.control,
                                           assignment.choice.useFaceColour);
        supplied.push_back(assignment.choice.supplied);
      }
      continue;
    }
    auto member = CreateSkinControl(assignment.choice.member);
    member->Attach(form, data, *assignment.control, assignment.choice.useFaceColour);
    made.push_back(std::move(member));
  }
  return made;
}

} // namespace tw
