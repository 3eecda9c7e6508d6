#pragma once
// The main window's logic: its controls as models and its event handlers. The Win32 edge
// realises the models as native windows and routes their events here. Handlers raise the
// runtime's errors; the application shows them in its error box.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/evidence.h"
#include "runtime/controls.h"
#include "runtime/forms.h"
#include "runtime/menus.h"
#include "runtime/shell.h"
#include "skin/model/skin_data.h"

namespace tw {

struct CatalogItem;

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
  TTabSheet TabSheet3{"TabSheet3"};

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

  // Tab "Windows 7 - 11": the modern catalog, laid out as the first tab. Its runs share the
  // row buffer LT with the first tab's.
  TLabel Label7{"Label7"};
  TLabel Label8{"Label8"};
  TBevel Bevel3{"Bevel3"};
  TLabel Label9{"Label9"};
  TListBox WList{"WList"};
  TValueListEditor Preview3{"Preview3"};
  TLabel Label10{"Label10"};
  TButton Button21{"Button21"};
  TButton Button22{"Button22"};
  TComboBox ComboBox2{"ComboBox2"};
  TButton Button23{"Button23"};
  TButton Button24{"Button24"};
  TButton Button25{"Button25"};
  TButton Button26{"Button26"};
  TButton Button27{"Button27"};
  TButton Button28{"Button28"};
  TButton Button29{"Button29"};
  TButton Button30{"Button30"};
  TProgressBar ProgressBar2{"ProgressBar2"};

  // The preview grids' context menu: the actions of the buttons below the grid it opens on.
  TPopupMenu PreviewMenu{"PreviewMenu"};

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

  // Start-up: records the program's path under HKCU\Velmo (in the running system's registry,
  // also for a window over evidence), sets the captions and loads the non-Microsoft list. A
  // failing registry write skips the steps after it.
  void FormCreate(TControl& sender);

  // Evidence (WKS_Main_evidence.cpp). The set the window reads from instead of the running
  // system's registry, given before start-up; none for the running system's. The caption and
  // the hint name the set, and handing an offline row's path to the shell is left off: it names
  // a file on another machine.
  void UseEvidence(std::shared_ptr<OfflineSet> set);
  OfflineSet* Evidence() const { return evidence_.get(); }
  // A set opened while the window shows: taken as by UseEvidence; the previews are emptied, the
  // second tab lists the set's applications, and the hives' recovery is told.
  void ShowEvidence(std::shared_ptr<OfflineSet> set);
  // Files dropped onto the window become its set. A file that is no hive, or damaged, raises
  // SourceError naming the file and the reason; the window keeps what it showed.
  void FilesDropped(const std::vector<std::string>& files);
  // When a hive of the set is not clean, each hive's state is told once, in a question that
  // lets the user turn the notice off for the rest of the run.
  void TellRecovery();
  // A further window shows the set of the window it was opened from and shares its notice.
  void OpenedFrom(const TWKSForm& owner);
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

  // The same for the modern catalog of the third tab.
  RunOutcome WListClick(TControl& sender);

  // Reports and batches.
  void Save1Click(TControl& sender);
  void Save2Click(TControl& sender);
  void Save3Click(TControl& sender);
  void Button12Click(TControl& sender);
  void Button10Click(TControl& sender);
  void Button21Click(TControl& sender); // the third tab's selected item
  void Button22Click(TControl& sender); // the third tab's whole catalog

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
  void Button23Click(TControl& sender);
  void Button24Click(TControl& sender);
  void Button25Click(TControl& sender);
  void Button27Click(TControl& sender);
  void Preview3DblClick(TControl& sender);

  // The buttons below a preview grid, in the context menu's order, a null between groups; none
  // for any other control.
  std::vector<TButton*> PreviewButtons(const TValueListEditor& grid);
  // A context menu asked for on a preview grid: the row (when one is given) becomes the current
  // one, and PreviewMenu gets the buttons' captions, enabled states and clicks. False for a
  // control that is not a preview grid.
  bool PreviewContextPopup(TValueListEditor& grid, int row);

private:
  enum class CatalogScope { CurrentUser, All };
  void SaveCatalog(TControl& sender, CatalogScope scope);
  // A preview's selected row handed to the shell (never over evidence) or its target's folder.
  void OpenFrom(const TValueListEditor& grid, int cells);
  void FindTargetFrom(const TValueListEditor& grid, int cells);
  // One dispatcher run for a catalog shown in `list`: the selected item's reader fills the row
  // buffer, which is ordered as the item asks, copied to `preview`, counted and emptied.
  RunOutcome RunItem(std::span<const CatalogItem> catalog, const TListBox& list,
                     TValueListEditor& preview, TLabel& total);
  // The controls of a tab in the one shape the three tabs share; their layout, the context
  // menu and the navigation follow it. `saves` holds the tab's save buttons ("Save Selected
  // Item" first); `navigation` copy key and value, find target key and value, open key, value,
  // key + value and value + key.
  struct Page {
    TTabSheet* sheet;
    TLabel* listCaption;
    TLabel* saveAs;
    TBevel* bevel;
    TLabel* previewCaption;
    TLabel* total;
    TListBox* list;
    std::vector<TButton*> saves;
    TComboBox* format;
    TValueListEditor* preview;
    TProgressBar* progress;
    std::array<TButton*, 8> navigation;
    // How many navigation buttons come before the progress bar in the tab order.
    size_t progressAfter = 0;
  };
  std::array<Page, 3> Pages();
  void LayoutPage(const Page& page, std::string caption);
  // Every item of a catalog's tab run and saved in turn, as its batch button asks.
  void SaveItems(const Page& page, std::span<const CatalogItem> catalog, CatalogScope scope,
                 const std::function<RunOutcome()>& run, const std::function<void()>& save);
  void Layout();
  void ConnectEvents();
  // What the set's reports name as their source; empty for the running system's registry.
  std::string ReportSource() const;
  // The buttons that hand a row's path to the shell.
  std::vector<TButton*> OpenButtons();

  WindowHandle handle_ = 0;
  std::shared_ptr<OfflineSet> evidence_;
  std::shared_ptr<RecoveryNotice> notice_ = std::make_shared<RecoveryNotice>(RecoveryNotice::Show);
};

} // namespace tw
