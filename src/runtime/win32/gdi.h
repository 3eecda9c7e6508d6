#pragma once
// Owning wrappers for the GDI objects we create, and guards for device contexts and selected
// objects. Window handles are never owned here (see Window).

#include <windows.h>

#include <utility>

namespace tw::win {

template <class T>
class GdiObject {
public:
  GdiObject() = default;
  explicit GdiObject(T handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  T Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(T handle = nullptr) {
    if (handle_ != nullptr)
      DeleteObject(handle_);
    handle_ = handle;
  }

private:
  T handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Pen = GdiObject<HPEN>;
using Region = GdiObject<HRGN>;

// Selects an object into a device context and puts the previous one back.
class SelectGuard {
public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectGuard() { SelectObject(dc_, old_); }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

class PaintDc {
public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
  ~PaintDc() { EndPaint(window_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC Get() const { return dc_; }
  const RECT& Dirty() const { return ps_.rcPaint; }

private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// A device context borrowed from a window or from the screen (a null window), given back on
// leaving the scope. ClientDc, WindowDc and ScreenDc say which one is borrowed.
class BorrowedDc {
public:
  BorrowedDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
  ~BorrowedDc() {
    if (dc_ != nullptr)
      ReleaseDC(window_, dc_);
  }
  BorrowedDc(const BorrowedDc&) = delete;
  BorrowedDc& operator=(const BorrowedDc&) = delete;
  HDC Get() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

// The client area of a window.
class ClientDc : public BorrowedDc {
public:
  explicit ClientDc(HWND window) : BorrowedDc(window, GetDC(window)) {}
};

// The whole window, frame included.
class WindowDc : public BorrowedDc {
public:
  explicit WindowDc(HWND window) : BorrowedDc(window, GetWindowDC(window)) {}
};

// The screen.
class ScreenDc : public BorrowedDc {
public:
  ScreenDc() : BorrowedDc(nullptr, GetDC(nullptr)) {}
};

// A memory device context, compatible with another one.
class MemoryDc {
public:
  explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  ~MemoryDc() { DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

} // namespace tw::win
