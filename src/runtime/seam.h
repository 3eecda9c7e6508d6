#pragma once
// A platform seam: one process-wide implementation of a platform interface, chosen once at
// start (the Win32 build installs the real platform; native builds and tests install portable
// stand-ins). Tests may swap implementations with ScopedSeam.

#include "runtime/exceptions.h"

namespace tw {

template <class T>
class Seam {
public:
  static T& Get() {
    if (current_ == nullptr)
      throw EAssertionFailed("No platform implementation installed");
    return *current_;
  }
  static bool Installed() { return current_ != nullptr; }
  static void Install(T* impl) { current_ = impl; }

private:
  static inline T* current_ = nullptr;
};

// Installs an implementation for the lifetime of the guard and puts the previous one back.
template <class T>
class ScopedSeam {
public:
  explicit ScopedSeam(T& impl) : previous_(Seam<T>::Installed() ? &Seam<T>::Get() : nullptr) {
    Seam<T>::Install(&impl);
  }
  ~ScopedSeam() { Seam<T>::Install(previous_); }
  ScopedSeam(const ScopedSeam&) = delete;
  ScopedSeam& operator=(const ScopedSeam&) = delete;

private:
  T* previous_;
};

} // namespace tw
