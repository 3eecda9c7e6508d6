#include "program_driver.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace tw::test {
namespace {

// A visible top-level window of the process with this class; the main window has no owner.
struct FindState {
  DWORD process;
  const std::function<bool(HWND)>& match;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<FindState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == state->process && IsWindowVisible(window) && state->match(window)) {
    state->found = window;
    return FALSE;
  }
  return TRUE;
}

bool HasClass(HWND window, const char* windowClass) {
  char cls[64];
  GetClassNameA(window, cls, sizeof(cls));
  return lstrcmpiA(cls, windowClass) == 0;
}

void Send(const INPUT& input) {
  INPUT copy = input;
  SendInput(1, &copy, sizeof(INPUT));
}

// Memory in another process, for messages whose parameters point into it.
class RemoteMemory {
public:
  RemoteMemory(DWORD processId, size_t size)
      : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                             processId)) {
    if (process_ == nullptr)
      throw std::runtime_error("cannot open the program's process");
    at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (at_ == nullptr)
      throw std::runtime_error("cannot allocate memory in the program");
  }
  ~RemoteMemory() {
    if (at_ != nullptr && owned_)
      VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  void* At(size_t offset = 0) const { return static_cast<char*>(at_) + offset; }
  void Write(size_t offset, const void* bytes, size_t size) const {
    WriteProcessMemory(process_, At(offset), bytes, size, nullptr);
  }
  void Read(size_t offset, void* bytes, size_t size) const {
    ReadProcessMemory(process_, At(offset), bytes, size, nullptr);
  }
  // The program owns it from now on.
  void HandOver() { owned_ = false; }

private:
  HANDLE process_;
  void* at_ = nullptr;
  bool owned_ = true;
};

std::string Quoted(const std::string& arg) {
  return arg.find_first_of(" \t\"") == std::string::npos && !arg.empty() ? arg : '"' + arg + '"';
}

} // namespace

ProgramDriver::ProgramDriver() : ProgramDriver(TW_PROGRAM_DIR) {}

ProgramDriver::ProgramDriver(const std::string& programDir) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + "trailwick-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount()) + "\\";
  CreateDirectoryA(folder_.c_str(), nullptr);
  const std::string& from = programDir;
  if (!CopyFileA((from + "\\trailwick.exe").c_str(), ProgramPath().c_str(), FALSE) ||
      !CopyFileA((from + "\\WKS.db").c_str(), (folder_ + "WKS.db").c_str(), FALSE))
    throw std::runtime_error("cannot copy the program from " + from);
}

ProgramDriver::~ProgramDriver() {
  if (process_.hProcess != nullptr) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  // The folder with the reports goes too.
  SHFILEOPSTRUCTA op{};
  std::string from = folder_.substr(0, folder_.size() - 1);
  from.push_back('\0');
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&op);
}

void ProgramDriver::Launch(const std::vector<std::string>& args) {
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  std::string command = '"' + ProgramPath() + '"';
  for (const std::string& arg : args)
    command += " " + Quoted(arg);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                      &si, &process_))
    throw std::runtime_error("cannot start " + ProgramPath());
}

HWND ProgramDriver::StartExpectingBox(const std::vector<std::string>& args) {
  Launch(args);
  HWND box = nullptr;
  WaitFor([&] { return (box = MessageBoxWindow()) != nullptr || WaitForExit(0); }, 30000);
  return box;
}

void ProgramDriver::Start(const std::vector<std::string>& args) {
  Launch(args);
  const auto isMain = [](HWND w) {
    return HasClass(w, "TWKSForm") && GetWindow(w, GW_OWNER) == nullptr;
  };
  if (!WaitFor([&] { return (main_ = FindWindowOf(isMain)) != nullptr; }, 30000))
    throw std::runtime_error("the main window of " + ProgramPath() + " did not appear");
  WaitForInputIdle(process_.hProcess, 10000);
  SetForegroundWindow(main_);
}

bool ProgramDriver::Close() {
  PostMessageA(main_, WM_CLOSE, 0, 0);
  return WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0;
}

std::vector<HWND> ProgramDriver::Children(HWND parent) const {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

HWND ProgramDriver::FindOfClass(HWND parent, const char* windowClass, int nth) const {
  for (HWND child : Children(parent))
    if (HasClass(child, windowClass) && nth-- == 0)
      return child;
  return nullptr;
}

HWND ProgramDriver::Find(HWND parent, const char* windowClass, const std::string& text) const {
  for (HWND child : Children(parent))
    if (HasClass(child, windowClass) && Text(child) == text)
      return child;
  return nullptr;
}

HWND ProgramDriver::PageControl() const {
  return FindOfClass(main_, WC_TABCONTROLA);
}

HWND ProgramDriver::Sheet(int index) const {
  return FindOfClass(PageControl(), "TTabSheet", index);
}

std::string ProgramDriver::Text(HWND window) {
  char text[512];
  const int n = static_cast<int>(
      SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text)));
  return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

void ProgramDriver::ClickAt(HWND window, int x, int y) const {
  POINT p{x, y};
  ClientToScreen(window, &p);
  SetCursorPos(p.x, p.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  Send(input);
  input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  Send(input);
}

bool ProgramDriver::ClickTab(int index) const {
  static constexpr int kTabX[] = {30, 110, 200};
  const auto released = [this] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(process_.dwThreadId, &info) != FALSE && info.hwndCapture == nullptr;
  };
  for (int click = 0; click < 3; ++click) {
    ClickAt(PageControl(), kTabX[index], 10);
    if (WaitFor([&] { return IsWindowVisible(Sheet(index)) != FALSE; }, 4000))
      return WaitFor(released);
  }
  return false;
}

void ProgramDriver::MoveToWindowPoint(HWND window, int x, int y) const {
  RECT r;
  GetWindowRect(window, &r);
  SetCursorPos(r.left + x, r.top + y);
}

void ProgramDriver::LeftButton(bool down) const {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  Send(input);
}

bool ProgramDriver::WaitForExit(int milliseconds) const {
  return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(milliseconds)) == WAIT_OBJECT_0;
}

bool ProgramDriver::ClickListItem(HWND list, int index) const {
  // Scrolled into view first, as the user would.
  SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  for (int click = 0; click < 3; ++click) {
    ClickAt(list, 20, (index - top) * height + height / 2);
    if (WaitFor([&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == index; }, 4000))
      return true;
  }
  return false;
}

void ProgramDriver::PressKey(WORD virtualKey) const {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  Send(input);
  input.ki.dwFlags = KEYEVENTF_KEYUP;
  Send(input);
}

void ProgramDriver::PressButton(HWND button) const {
  RECT r;
  GetClientRect(button, &r);
  ClickAt(button, r.right / 2, r.bottom / 2);
}

bool ProgramDriver::StartBatch(HWND button, HWND list, const std::string& reportFolder) const {
  const size_t before = FilesIn(reportFolder).size();
  for (int click = 0; click < 3; ++click) {
    PressButton(button);
    if (WaitFor(
            [&] {
              return IsWindowEnabled(list) == FALSE || FilesIn(reportFolder).size() != before;
            },
            4000))
      return true;
  }
  return false;
}

HWND ProgramDriver::MessageBoxWindow() const {
  return FindWindowOf([](HWND w) { return HasClass(w, "#32770"); });
}

std::string ProgramDriver::MessageText(HWND box) const {
  std::string text;
  for (HWND child : Children(box))
    if (HasClass(child, "Static"))
      text += Text(child) + "\n";
  return text;
}

std::vector<std::string> ProgramDriver::GridRows(HWND grid) const {
  constexpr size_t kText = 4096;
  const int count = static_cast<int>(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0));
  std::vector<std::string> rows;
  RemoteMemory memory(process_.dwProcessId, sizeof(LVITEMA) + kText);
  std::vector<char> text(kText);
  for (int row = 0; row < count; ++row) {
    std::string line;
    for (int column = 0; column < 2; ++column) {
      LVITEMA item{};
      item.iSubItem = column;
      item.cchTextMax = static_cast<int>(kText);
      item.pszText = static_cast<char*>(memory.At(sizeof(LVITEMA)));
      memory.Write(0, &item, sizeof(item));
      const LRESULT length = SendMessageA(grid, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                          reinterpret_cast<LPARAM>(memory.At()));
      memory.Read(sizeof(LVITEMA), text.data(), kText);
      line += std::string(text.data(), static_cast<size_t>(std::max<LRESULT>(length, 0)));
      if (column == 0)
        line += '=';
    }
    rows.push_back(std::move(line));
  }
  return rows;
}

void ProgramDriver::DropFiles(HWND window, const std::vector<std::string>& files) const {
  std::string names;
  for (const std::string& file : files)
    names += file + '\0';
  names += '\0';
  DROPFILES header{};
  header.pFiles = sizeof(header);
  header.fWide = FALSE;
  RemoteMemory memory(process_.dwProcessId, sizeof(header) + names.size());
  memory.Write(0, &header, sizeof(header));
  memory.Write(sizeof(header), names.data(), names.size());
  // The program lets go of the drop itself (DragFinish).
  memory.HandOver();
  PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory.At()), 0);
}

HWND ProgramDriver::FindWindowOf(const std::function<bool(HWND)>& match) const {
  FindState state{process_.dwProcessId, match};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

HWND ProgramDriver::OwnedForm() const {
  return FindWindowOf(
      [this](HWND w) { return HasClass(w, "TWKSForm") && GetWindow(w, GW_OWNER) == main_; });
}

HWND ProgramDriver::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(process_.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE)
    return files;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      files.emplace_back(found.cFileName);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return files;
}

} // namespace tw::test
