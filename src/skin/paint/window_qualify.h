#pragma once
// Whether a window gets a skinned frame: the manager's qualification rules over a description
// of the window, and the choice of the skin component responsible for it.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "skin/model/bitmap.h"
#include "skin/model/skin_data.h"
#include "skin/paint/form_style.h"

namespace tw {

// What the manager found out about a window.
struct WindowDescription {
  std::string className;
  Rect rect; // screen rectangle
  WindowStyle style = 0;
  WindowStyle exStyle = 0;
  bool answersSkinned = false; // answered 13603 with 1
  bool inList = false;         // a skinned frame exists for it already
  bool controlFound = false;   // its control object is known (application form or property)
  bool ownModule = false;      // it belongs to the program's module
  std::optional<int> formTag;  // the Tag of its form, when it has one
  // The skin components its form carries (for components skinning only their owner).
  std::vector<const TSkinData*> ownedSkinData;
};

enum class Qualification {
  Qualifies,
  SkinningOff,    // the manager is not skinning
  AlreadySkinned, // rule 1
  NotOurs,        // rule 2
  EmptyRect,      // rule 3
  FormTag,        // rule 4: the form's Tag is 99
  ClassRefused,   // rule 5
  DataRefused,    // rule 6: preview, set-foreground dialog, OnFormSkin, SysMonthCal32, Tfr...
  NoSkinData,     // rule 7: no component with a loaded skin is responsible
};

// Who owns the frame object: the form, or nobody for a foreign dialog.
enum class FrameOwner { Form, Unowned };

struct WindowVerdict {
  Qualification result = Qualification::SkinningOff;
  TSkinData* data = nullptr; // the responsible component when it qualifies
  FrameOwner owner = FrameOwner::Form;
};

enum class Skinning { Off, On };

// The Tag that keeps a form unskinned, whatever DisableTag says.
inline constexpr int kUnskinnedFormTag = 99;

// The component whose options and events judge every window: the first registered one of
// type sfMainform, else the first registered one; null without any.
TSkinData* MainSkinData(std::span<TSkinData* const> registered);

// Rule 7: a registered sfOnlyThisForm component the window's form carries; else, for
// "tmessageform" and "#32770", an sfDialog one; else an sfMainform one; else the first
// registered; each with a loaded skin. Null when none.
TSkinData* ResponsibleSkinData(const WindowDescription& window,
                               std::span<TSkinData* const> registered);

// All seven rules in order; the first that fails decides. OnFormSkin of the main component is
// asked in rule 6 (with the class name).
WindowVerdict QualifyWindow(const WindowDescription& window, std::span<TSkinData* const> registered,
                            Skinning skinning);

} // namespace tw
