#include "program_driver.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <stdexcept>

namespace tw::test {
namespace {

struct FindState {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK FindMain(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<FindState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[64];
  GetClassNameA(window, cls, sizeof(cls));
  if (pid == state->process && IsWindowVisible(window) && std::string(cls) == "TWKSForm" &&
      GetWindow(window, GW_OWNER) == nullptr) {
    state->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<FindState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[64];
  GetClassNameA(window, cls, sizeof(cls));
  if (pid == state->process && IsWindowVisible(window) && std::string(cls) == "#32770") {
    state->found = window;
    return FALSE;
  }
  return TRUE;
}

void Send(const INPUT& input) {
  INPUT copy = input;
  SendInput(1, &copy, sizeof(INPUT));
}

} // namespace

ProgramDriver::ProgramDriver() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + "trailwick-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount()) + "\\";
  CreateDirectoryA(folder_.c_str(), nullptr);
  const std::string from = TW_PROGRAM_DIR;
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

void ProgramDriver::Start() {
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  std::string command(1, '"');
  command += ProgramPath();
  command += '"';
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                      &si, &process_))
    throw std::runtime_error("cannot start " + ProgramPath());
  FindState state{process_.dwProcessId};
  if (!WaitFor(
          [&] {
            EnumWindows(FindMain, reinterpret_cast<LPARAM>(&state));
            return state.found != nullptr;
          },
          30000))
    throw std::runtime_error("the main window did not appear");
  main_ = state.found;
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
  for (HWND child : Children(parent)) {
    char cls[64];
    GetClassNameA(child, cls, sizeof(cls));
    if (lstrcmpiA(cls, windowClass) == 0 && nth-- == 0)
      return child;
  }
  return nullptr;
}

HWND ProgramDriver::Find(HWND parent, const char* windowClass, const std::string& text) const {
  for (HWND child : Children(parent)) {
    char cls[64];
    GetClassNameA(child, cls, sizeof(cls));
    if (lstrcmpiA(cls, windowClass) == 0 && Text(child) == text)
      return child;
  }
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

void ProgramDriver::ClickListItem(HWND list, int index) const {
  const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  ClickAt(list, 20, (index - top) * height + height / 2);
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

HWND ProgramDriver::MessageBoxWindow() const {
  FindState state{process_.dwProcessId};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

std::string TodayFolderName() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char name[16];
  std::snprintf(name, sizeof(name), "%02u-%02u-%04u", now.wDay, now.wMonth, now.wYear);
  return name;
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

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr))
    return "<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

} // namespace tw::test
