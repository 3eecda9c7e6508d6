#pragma once
// Models of the form and its containers and decorations: the form itself, the page control
// with its tab sheets, images and bevels. The form keeps its controls in tab order, which is
// also the order in which the native realisation creates their windows.

#include <string>
#include <vector>

#include "runtime/controls.h"

namespace tw {

// Pictures the program carries as resources.
enum class TPicture { None, WhitePixel, Logo };

class TImage : public TControl {
public:
  explicit TImage(std::string name) : TControl("TImage", std::move(name)) {}
  TPicture Picture() const { return picture_; }
  void SetPicture(TPicture picture) { picture_ = picture; }
  // Stretched over the bounds, or drawn 1:1 with its corner colour transparent.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch) { stretch_ = stretch; }
  std::optional<std::string> Property(std::string_view name) const override;

private:
  TPicture picture_ = TPicture::None;
  bool stretch_ = false;
};

// A lowered line: vertical when taller than wide.
class TBevel : public TControl {
public:
  explicit TBevel(std::string name) : TControl("TBevel", std::move(name)) {}
};

class TTabSheet : public TControl {
public:
  explicit TTabSheet(std::string name) : TControl("TTabSheet", std::move(name)) {}
};

class TPageControl : public TControl {
public:
  explicit TPageControl(std::string name) : TControl("TPageControl", std::move(name)) {}
  void AddPage(TTabSheet& sheet);
  const std::vector<TTabSheet*>& Pages() const { return pages_; }
  int ActivePageIndex() const { return active_; }
  void SetActivePageIndex(int index);
  std::optional<std::string> Property(std::string_view name) const override;

private:
  std::vector<TTabSheet*> pages_;
  int active_ = 0;
};

class TForm : public TControl {
public:
  TForm(std::string className, std::string name)
      : TControl(std::move(className), std::move(name)) {}

  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
  }

  // Adds a control owned by this form, placed on `parent` (the form itself when null), next in
  // tab order among the controls of that parent.
  void Insert(TControl& control, TControl* parent, TBounds bounds);
  const std::vector<TControl*>& Controls() const { return controls_; }
  TControl* FindControl(std::string_view name) const;
  std::optional<std::string> Property(std::string_view name) const override;

private:
  std::vector<TControl*> controls_;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
};

} // namespace tw
