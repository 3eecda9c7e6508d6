// The Win32 skin tests' allocator: memory given back with delete is written over before it is
// freed, so that code using an object after it has gone (a window's handler resuming after a
// modal loop in which skinning went off) reads garbage instead of the object's old values, and
// the tests see it go wrong (not 0xFF: a window handle of all ones means every window).

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Each block starts with its size, kept at the alignment operator new guarantees.
constexpr std::size_t kHeader = 16;

void* Allocate(std::size_t size) {
  void* block = std::malloc(size + kHeader);
  if (block == nullptr)
    return nullptr;
  *static_cast<std::size_t*>(block) = size;
  return static_cast<char*>(block) + kHeader;
}

void Release(void* pointer) {
  if (pointer == nullptr)
    return;
  char* block = static_cast<char*>(pointer) - kHeader;
  std::memset(pointer, 0xDD, *reinterpret_cast<std::size_t*>(block));
  std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
  if (void* pointer = Allocate(size))
    return pointer;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void operator delete(void* pointer) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer) noexcept {
  Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
  Release(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
  Release(pointer);
}
