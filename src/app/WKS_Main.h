#pragma once
// The main window's logic: its controls as models and its event handlers. The Win32 edge
// realises the models as native windows and routes their events here. Handlers raise the
// runtime's errors; the application shows them in its error box.

#include <cstdint>
#include <span>

#include "runtime/controls.h"
#include "runtime/forms.h"
#include "runtime/shell.h"
#include "skin/skin_data.h"

namespace tw {

// How a run of the catalog dispatcher ended.
enum class RunOutcome {
  Shown,        // the preview shows the selected item's rows
  ReaderFailed, // the reader raised; the preview still shows the previous run
};

class TWKSForm : public TForm {
public:
  TWKSForm();
  TWKSForm(const TWKSForm&) = delete;
  TWKSForm& operator=(const TWKSForm&) = delete;

  // The header band above the page control.
  TImage back{"back"};
  TImage Icon{"Icon"};
  TLabel title{"title"};
  TLabel cpr{"cpr"};
  TLabel Label58{"Label58"};
  TButton Button20{"Button20"};
  TButton Button2{"Button2"};
  TPageControl PageControl1{"PageControl1"};
  TTabSheet TabSheet1{"TabSheet1"};
  TTabSheet TabSheet2{"TabSheet2"};

  // Tab "Microsoft": the catalog, the hidden row buffer, the preview and its total.
  TLabel ZCap{"ZCap"};
  TLabel Label1{"Label1"};
  TBevel Bevel1{"Bevel1"};
  TLabel Label2{"Label2"};
  TListBox ZList{"ZList"};
  TListBox LT{"LT"};
  TValueListEditor Preview{"Preview"};
  TLabel Total{"Total"};
  TButton Save1{"Save1"};
  TButton Save2{"Save2"};
  TButton Save3{"Save3"};
  TComboBox cmbSave{"cmbSave"};
  TButton Button1{"Button1"};
  TButton Button3{"Button3"};
  TButton Button14{"Button14"};
  TButton Button15{"Button15"};
  TButton Button4{"Button4"};
  TButton Button5{"Button5"};
  TButton Button11{"Button11"};
  TButton Button13{"Button13"};
  TProgressBar Progress{"Progress"};

  // Tab "Non Microsoft": the applications of the database found on this machine.
  TLabel Label3{"Label3"};
  TLabel Label5{"Label5"};
  TBevel Bevel2{"Bevel2"};
  TLabel Label4{"Label4"};
  TListBox NMList{"NMList"};
  TButton Button12{"Button12"};
  TButton Button10{"Button10"};
  TComboBox ComboBox1{"ComboBox1"};
  TLabel Label6{"Label6"};
  TValueListEditor Preview2{"Preview2"};
  TButton Button6{"Button6"};
  TButton Button7{"Button7"};
  TButton Button16{"Button16"};
  TButton Button17{"Button17"};
  TButton Button8{"Button8"};
  TButton Button9{"Button9"};
  TButton Button18{"Button18"};
  TButton Button19{"Button19"};
  TProgressBar ProgressBar1{"ProgressBar1"};

  // The skin component: its archive comes with the form's data.
  TSkinData SkinData1;

  // Applications listed in the database at the last load, before the presence test.
  int NMTotal = 0;

  // The native window that parents shell launches; 0 while the form has none.
  WindowHandle Handle() const { return handle_; }
  void SetHandle(WindowHandle handle) { handle_ = handle; }

  // Reads the form's stored data: the skin component, active, skinning the whole application,
  // with the embedded skin archive (its envelope). The archive is loaded at once.
  void ReadFormData(std::span<const std::uint8_t> skinStream);

  // Start-up: records the program's path under HKCU\Velmo, sets the captions and loads the
  // non-Microsoft list. A failing registry write skips the steps after it.
  void FormCreate(TControl& sender);
  // Opens a further window of this kind, owned by this one.
  void IconDblClick(TControl& sender);
  // Shows the size of the BagMRU value that the credit line is about.
  void cprClick(TControl& sender);
  void titleClick(TControl& sender);
  // Opens the folder of the program, where the reports are written.
  void Label58DblClick(TControl& sender);
  void Button20Click(TControl& sender);
  void Button2Click(TControl& sender);

  // Runs the reader of the selected catalog item and shows its rows. Any error of the reader
  // or of the steps after it is swallowed: the preview and total keep their previous content,
  // and the row buffer is emptied all the same. The outcome tells batches which happened.
  RunOutcome ZListClick(TControl& sender);

  // Reports and batches.
  void Save1Click(TControl& sender);
  void Save2Click(TControl& sender);
  void Save3Click(TControl& sender);
  void Button12Click(TControl& sender);
  void Button10Click(TControl& sender);

  // The non-Microsoft database.
  void GetNML();
  void NMListClick(TControl& sender);
  void Label3DblClick(TControl& sender);
  // "WKS List : " listed "/" NMTotal " items" above the list.
  void ShowNMListCount();

  // Navigation from the current preview row.
  void Button1Click(TControl& sender);
  void Button3Click(TControl& sender);
  void Button6Click(TControl& sender);
  void Button7Click(TControl& sender);
  void Button4Click(TControl& sender);
  void Button8Click(TControl& sender);
  void PreviewDblClick(TControl& sender);
  void Button14Click(TControl& sender);
  void Button16Click(TControl& sender);

private:
  enum class CatalogScope { CurrentUser, All };
  void SaveCatalog(TControl& sender, CatalogScope scope);
  void Layout();
  void ConnectEvents();

  WindowHandle handle_ = 0;
};

} // namespace tw
