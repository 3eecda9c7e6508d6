#include "skin/model/skin_data.h"

namespace tw {

namespace {

struct KindGroup {
  const char* kind;
  std::initializer_list<const char*> classes;
};

// Control classes of other vendors' libraries and the skin kind that draws them.
const KindGroup kDefaultSkin3rd[] = {
    {"scrollbar",
     {"TCategoryButtons", "TVirtualStringTree", "TVirtualDrawTree", "TAdvPanelGroup", "THTMLViewer",
      "TDBCtrlGrid", "TImageEnMView", "TImageEnView", "TAdvMemo", "TDBAdvMemo"}},
    {"pngspeedbutton", {"TPngSpeedbutton"}},
    {"pngbitbtn", {"TPngBitBtn"}},
    {"menubtn", {"TRzMenuButton"}},
    {"button", {"TRzButton"}},
    {"speedbutton", {"TRxSpeedButton", "TfrSpeedButton", "TfrTBButton"}},
    {"Panel",
     {"TTBXDockablePanel", "TControlBar", "TTBDock", "TTBToolbar", "TRzGroup", "TLMDCalculator",
      "TLMDGROUPBOX", "TLMDSIMPLEPANEL"}},
    {"panel",
     {"TLMDDBCalendar", "TLMDButtonPanel", "TLMDLMDCalculator", "TLMDHeaderPanel",
      "TLMDTechnicalLine", "TLMDLMDClock", "TLMDTrackbar"}},
    {"combobox", {"TComboboxex",          "TcxDBLookupComboBox",    "TcxDBComboBox",
                  "TcxDBDateEdit",        "TcxDBImageComboBox",     "TcxDBCalcEdit",
                  "TcxDBBlobEdit",        "TcxDBPopupEdit",         "TcxDBFontNameComboBox",
                  "TcxDBShellComboBox",   "TRxLookupEdit",          "TRxDBLookupCombo",
                  "TRzDateTimeEdit",      "TRzColorEdit",           "TRzDateTimePicker",
                  "TRzDBDateTimeEdit",    "TRzDbColorEdit",         "TRzDBDateTimePicker",
                  "TLMDListCombobox",     "TLMDCheckListCombobox",  "TLMDHeaderListCombobox",
                  "TLMDImageCombobox",    "TLMDColorCombobox",      "TLMDFontCombobox",
                  "TLMDFontSizeCombobox", "TLMDFontSizeCombobox",   "TLMDPrinterCombobox",
                  "TLMDDriveCombobox",    "TLMDCalculatorComboBox", "TLMDTrackBarComboBox",
                  "TLMDCalendarComboBox", "TLMDTreeComboBox",       "TDBLookupCombobox",
                  "TWWDBCombobox",        "TWWDBCombobox",          "TWWDBLookupCombo",
                  "TWWKeyCombo",          "TWWTempKeyCombo",        "TWWDBDateTimePicker"}},
    {"bitbtn", {"TRzBitbtn", "TLMDButton", "TcxButton"}},
    {"CheckGroup", {"TRzCheckGroup", "TLMDCheckGroup", "TLMDDBCheckGroup"}},
    {"Radiogroup",
     {"TRzRadioGroup", "TRzDBRadioGroup", "TLMDRADIOGROUP", "TLMDDBRADIOGROUP", "TWWRADIOGROUP",
      "TcxDBRadioGroup", "TcxRadioGroup"}},
    {"Radiobutton", {"TRzDBRadioButton", "TLMDRadiobutton"}},
    {"Groupbox", {"TLMDGroupBox", "TcxGroupbox"}},
    {"Checkbox", {"TDBCheckboxEh", "TDBCheckboxEh", "TLMDCHECKBOX", "TLMDDBCHECKBOX"}},
    {"Edit", {"TRzButtonEdit",     "TLMDCalculatorEdit", "TLMDEDIT",           "TLMDMASKEDIT",
              "TLMDBROWSEEDIT",    "TLMDEXTSPINEDIT",    "TLMDCALENDAREDIT",   "TLMDFILEOPENEDIT",
              "TLMDFILESAVEEDIT",  "TLMDCOLOREDIT",      "TLMDDBEDIT",         "TLMDDBMASKEDIT",
              "TLMDDBEXTSPINEDIT", "TLMDDBSPINEDIT",     "TLMDDBEDITDBLookup", "TLMDEDITDBLookup",
              "TWWDBEDIT",         "TOVCPICTUREFIELD",   "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT",
              "TOVCDBSLIDEREDIT",  "TOVCSIMPLEFIELD",    "TOVCDBSIMPLEFIELD",  "TO32DBFLEXEDIT",
              "TOVCNUMERICFIELD",  "TOVCDBNUMERICFIELD"}},
};

} // namespace

std::vector<std::string> DefaultSkin3rd() {
  std::vector<std::string> lines;
  for (const KindGroup& group : kDefaultSkin3rd)
    for (const char* className : group.classes)
      lines.push_back(std::string(className) + "=" + group.kind);
  return lines;
}

} // namespace tw
