#pragma once
// Message boxes the program shows on purpose (not errors): text, the application's title as
// caption, an OK button. Windows: MessageBoxA (src/runtime/win32).

#include <string>
#include <vector>

namespace tw {

class Dialogs {
public:
  virtual ~Dialogs() = default;
  virtual void ShowMessage(const std::string& text) = 0;
};

// A system without message boxes: the texts are kept in order.
class RecordingDialogs final : public Dialogs {
public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// Shows a message through the installed seam.
void ShowMessage(const std::string& text);

} // namespace tw
