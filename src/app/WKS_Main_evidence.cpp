// The window over evidence: the set it reads from, what the caption and hint say of it, files
// dropped onto the window, and the hives' recovery told once.

#include <string>

#include "app/about.h"
#include "app/WKS_Main.h"
#include "runtime/dialogs.h"
#include "runtime/seam.h"

namespace tw {

std::vector<TButton*> TWKSForm::OpenButtons() {
  return {&Button4,  &Button5,  &Button11, &Button13, &Button9,
          &Button27, &Button28, &Button29, &Button30};
}

std::string TWKSForm::ReportSource() const {
  return evidence_ ? evidence_->Naming() : std::string();
}

void TWKSForm::UseEvidence(std::shared_ptr<OfflineSet> set) {
  evidence_ = std::move(set);
  const bool offline = evidence_ != nullptr;
  SetCaption(offline ? std::string(about::kTitle) + " - " + evidence_->Naming() : about::kTitle);
  SetHint(offline ? evidence_->Paths() : std::string());
  for (TButton* button : OpenButtons())
    button->SetEnabled(!offline);
}

void TWKSForm::ShowEvidence(std::shared_ptr<OfflineSet> set) {
  UseEvidence(std::move(set));
  // Nothing read from the earlier source stays on show.
  for (TListBox* list : {&ZList, &NMList, &WList})
    list->SetItemIndex(-1);
  for (TValueListEditor* grid : {&Preview, &Preview2, &Preview3})
    grid->Assign(std::vector<std::string>{});
  for (TLabel* total : {&Total, &Label6, &Label10})
    total->SetCaption("Total Items : 0");
  GetNML();
  ShowNMListCount();
  TellRecovery();
}

void TWKSForm::FilesDropped(const std::vector<std::string>& files) {
  if (files.empty())
    return;
  // Opened whole before anything changes: a file that fails leaves the window as it was.
  auto set = std::make_shared<OfflineSet>(DroppedFilesRequest(files), WindowCodePage());
  ShowEvidence(std::move(set));
}

void TWKSForm::TellRecovery() {
  if (!evidence_ || *notice_ == RecoveryNotice::Off)
    return;
  const std::vector<std::string> notes = evidence_->RecoveryNotes();
  if (notes.empty())
    return;
  std::string text = "The hives were read as follows:\r\n\r\n";
  for (const std::string& note : notes)
    text += note + "\r\n";
  text += "\r\nShow this notice again when hives are opened in this session?";
  if (Seam<Dialogs>::Get().Ask(text) == Answer::No)
    *notice_ = RecoveryNotice::Off;
}

void TWKSForm::OpenedFrom(const TWKSForm& owner) {
  notice_ = owner.notice_;
  UseEvidence(owner.evidence_);
}

} // namespace tw
