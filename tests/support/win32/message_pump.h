#pragma once
// Tests and test programs run their windows' messages on their own thread while they wait.

#include <windows.h>

#include <functional>

namespace tw::test {

// Dispatches messages (nested menu loops included) until the condition holds or the time is up;
// whether it held.
inline bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 5000) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (!condition()) {
    if (static_cast<LONG>(GetTickCount() - deadline) > 0)
      return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
  return true;
}

// Dispatches messages for the given time.
inline void Pump(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

} // namespace tw::test
