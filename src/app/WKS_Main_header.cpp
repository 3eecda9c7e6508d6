// Start-up and the handlers of the header band.

#include <string>

#include "app/about.h"
#include "app/form_host.h"
#include "app/WKS_Main.h"
#include "readers/catalog.h"
#include "readers/modern_catalog.h"
#include "registry/registry.h"
#include "runtime/dialogs.h"
#include "runtime/executable.h"
#include "runtime/seam.h"

namespace tw {

void TWKSForm::ReadFormData(std::span<const std::uint8_t> skinStream) {
  SkinData1.BeginReading();
  SkinData1.SetActive(true);
  SkinData1.SkinFormtype = TSkinFormType::sfMainform;
  SkinData1.ReadSkinStream(skinStream);
  SkinData1.Loaded();
}

void TWKSForm::FormCreate(TControl& /*sender*/) {
  const std::string path = ExecutablePath();
  WriteRegString(reg::kCurrentUser, "Velmo", "09", path);
  title.SetCaption(about::kName);
  cpr.SetCaption(about::kCreditLine);
  std::string caption = "WKS List : ";
  caption += std::to_string(kCatalogSize);
  caption += " items";
  ZCap.SetCaption(caption);
  std::string modernCaption = "WKS List : ";
  modernCaption += std::to_string(kModernTabSize);
  modernCaption += " items";
  Label7.SetCaption(modernCaption);
  GetNML();
  ShowNMListCount();
}

void TWKSForm::IconDblClick(TControl& /*sender*/) {
  Seam<FormHost>::Get().ShowOwnedForm(*this);
}

void TWKSForm::cprClick(TControl& /*sender*/) {
  const EvidenceScope scope(evidence_.get());
  ShowMessage(std::to_string(
      AddressBinarySize("HKCU|Software\\Microsoft\\Windows\\ShellNoRoam\\BagMRU\\0|0")));
}

void TWKSForm::titleClick(TControl& /*sender*/) {}

void TWKSForm::Label58DblClick(TControl& /*sender*/) {
  Seam<Shell>::Get().Open(Handle(), ExecutableFolder());
}

void TWKSForm::Button20Click(TControl& /*sender*/) {
  Seam<Shell>::Get().Open(Handle(), about::kHomepage);
}

void TWKSForm::Button2Click(TControl& /*sender*/) {
  ShowMessage(about::kDonateText);
}

void PortableFormHost::ShowOwnedForm(TWKSForm& owner) {
  auto form = std::make_unique<TWKSForm>();
  form->SetParent(&owner);
  form->OpenedFrom(owner);
  TWKSForm& created = *form;
  forms.push_back(std::move(form));
  created.FormCreate(created);
}

} // namespace tw
