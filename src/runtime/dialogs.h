#pragma once
// Message boxes the program shows on purpose (not errors): text, the application's title as
// caption, an OK button; or a question answered with Yes or No. Windows: MessageBoxA
// (src/runtime/win32).

#include <string>
#include <vector>

namespace tw {

enum class Answer { Yes, No };

class Dialogs {
public:
  virtual ~Dialogs() = default;
  virtual void ShowMessage(const std::string& text) = 0;
  virtual Answer Ask(const std::string& question) = 0;
};

// A system without message boxes: the texts are kept in order; questions get `answer`.
class RecordingDialogs final : public Dialogs {
public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  Answer Ask(const std::string& question) override {
    questions.push_back(question);
    return answer;
  }
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  Answer answer = Answer::Yes;
};

// Shows a message through the installed seam.
void ShowMessage(const std::string& text);

} // namespace tw
