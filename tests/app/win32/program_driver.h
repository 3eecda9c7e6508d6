#pragma once
// Drives the real Trailwick program from another process, as a user would: it starts the
// program from a fresh folder, finds its windows, clicks with the mouse, presses keys, reads
// what the windows show and closes it. Every wait has a deadline.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tw::test {

class ProgramDriver {
public:
  // Copies the program and the database into a fresh temporary folder: this build's program,
  // or the one in `programDir`.
  ProgramDriver();
  explicit ProgramDriver(const std::string& programDir);
  ~ProgramDriver();
  ProgramDriver(const ProgramDriver&) = delete;
  ProgramDriver& operator=(const ProgramDriver&) = delete;

  const std::string& Folder() const { return folder_; } // ends in "\"
  std::string ProgramPath() const { return folder_ + "trailwick.exe"; }

  // Starts the program with these arguments and waits for its main window.
  void Start(const std::vector<std::string>& args = {});
  // Starts the program and waits for it to show a message box instead of its window, or to end;
  // the box, or null.
  HWND StartExpectingBox(const std::vector<std::string>& args);
  // Closes the main window and waits for the program to end; false when it does not.
  bool Close();
  HWND MainWindow() const { return main_; }
  // Waits for the program to end by itself; false when it still runs.
  bool WaitForExit(int milliseconds) const;
  DWORD ProcessId() const { return process_.dwProcessId; }

  // The program's windowed children of `parent` in creation (tab) order.
  std::vector<HWND> Children(HWND parent) const;
  HWND PageControl() const;
  HWND Sheet(int index) const;
  // A child of `parent` with this window class and text.
  HWND Find(HWND parent, const char* windowClass, const std::string& text) const;
  HWND FindOfClass(HWND parent, const char* windowClass, int nth = 0) const;
  static std::string Text(HWND window);

  // Input as a user gives it.
  void ClickAt(HWND window, int x, int y) const;
  // Input driven through the X display under load is now and then lost, and a user clicks
  // again: these click until the click has taken, three clicks at most, and say whether it has.
  // A list's entry, scrolled into view, until it is the current one.
  bool ClickListItem(HWND list, int index) const;
  // The tab of sheet `index`, until the sheet shows and the strip has let the mouse go (a click
  // sent before that would reach the strip, not the control under the cursor).
  bool ClickTab(int index) const;
  void PressKey(WORD virtualKey) const;
  void PressButton(HWND button) const;
  // A batch's button, until the batch has started: the sheet's list is off while it runs, or
  // the report folder's file count has changed (a short batch may be over already).
  bool StartBatch(HWND button, HWND list, const std::string& reportFolder) const;
  // The mouse at a point of the whole window (frame included), and its left button.
  void MoveToWindowPoint(HWND window, int x, int y) const;
  void LeftButton(bool down) const;

  // Waits until `condition` holds; false after `milliseconds`.
  template <class F>
  static bool WaitFor(F condition, int milliseconds = 10000) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!condition()) {
      if (static_cast<LONG>(GetTickCount() - deadline) > 0)
        return false;
      Sleep(20);
    }
    return true;
  }
  // The program's message box (an error box or a message), if one is open.
  HWND MessageBoxWindow() const;
  // The texts a message box shows, one a line.
  std::string MessageText(HWND box) const;

  // The rows of one of the program's grids as "key=value", read through memory of the
  // program's own (the grid holds the program's ANSI text).
  std::vector<std::string> GridRows(HWND grid) const;
  // Hands the window the files as the shell does after a drop (WM_DROPFILES, the list of
  // names placed in the program's memory).
  void DropFiles(HWND window, const std::vector<std::string>& files) const;
  // A visible top-level window of the program that `match` accepts.
  HWND FindShown(const std::function<bool(HWND)>& match) const { return FindWindowOf(match); }
  // A further main window, owned by the main window, if one is shown.
  HWND OwnedForm() const;
  // The program's window that has the keyboard focus.
  HWND Focus() const;

private:
  void Launch(const std::vector<std::string>& args);
  // A visible top-level window of the program that `match` accepts.
  HWND FindWindowOf(const std::function<bool(HWND)>& match) const;

  std::string folder_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

std::vector<std::string> FilesIn(const std::string& folder);

} // namespace tw::test
