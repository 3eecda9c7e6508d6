#include "runtime/win32/subclass.h"

#include <commctrl.h>

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tw::win {

namespace {

struct Entry {
  SubclassProcedure procedure;
  UINT_PTR id;
  DWORD_PTR data;
  // Taken out while a message ran through it: erased once no message runs.
  bool removed = false;
};

struct Chain {
  // Null when the chain runs as one entry of comctl32's chain (a window subclassed before us).
  WNDPROC original = nullptr;
  // The window's character set when the chain went in; its procedure is called in it.
  bool unicode = false;
  std::vector<Entry> entries; // oldest first
  int running = 0;
  bool ended = false; // the window had its last message
};

// A message under way through a chain: `below` is how many entries are still beneath the one
// that runs. Entries are only erased while no message runs, so the count stays meaningful.
struct Frame {
  HWND window;
  Chain* chain;
  std::size_t below;
};

// Never freed: a thread's windows may get their last messages after its thread-local objects
// would have been destroyed.
thread_local auto& chains = *new std::unordered_map<HWND, std::unique_ptr<Chain>>();
thread_local auto& frames = *new std::vector<Frame>();

constexpr UINT_PTR kInComctlId = 0x54574348; // "TWCH"

LRESULT CallOwn(const Chain& chain, HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (chain.original == nullptr)
    return DefSubclassProc(window, msg, wParam, lParam);
  return chain.unicode ? CallWindowProcW(chain.original, window, msg, wParam, lParam)
                       : CallWindowProcA(chain.original, window, msg, wParam, lParam);
}

// Runs the next entry beneath the frame's position, or the window's own procedure.
LRESULT CallNext(std::size_t frameIndex, UINT msg, WPARAM wParam, LPARAM lParam) {
  const HWND window = frames[frameIndex].window;
  Chain& chain = *frames[frameIndex].chain;
  const std::size_t from = frames[frameIndex].below;
  std::size_t next = from;
  while (next > 0 && chain.entries[next - 1].removed)
    --next;
  LRESULT result = 0;
  if (next == 0) {
    frames[frameIndex].below = 0;
    result = CallOwn(chain, window, msg, wParam, lParam);
  } else {
    // A copy: a procedure added while this one runs may move the entries.
    const Entry entry = chain.entries[next - 1];
    frames[frameIndex].below = next - 1;
    result = entry.procedure(window, msg, wParam, lParam, entry.id, entry.data);
  }
  // `frames` may have grown and moved meanwhile; the index still names this frame.
  frames[frameIndex].below = from;
  return result;
}

LRESULT CALLBACK ChainInComctl(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR);

void Tidy(HWND window, Chain& chain) {
  std::erase_if(chain.entries, [](const Entry& entry) { return entry.removed; });
  if (!chain.ended)
    return;
  const auto own = reinterpret_cast<LONG_PTR>(chain.original);
  if (chain.original == nullptr)
    RemoveWindowSubclass(window, &ChainInComctl, kInComctlId);
  else if (chain.unicode)
    SetWindowLongPtrW(window, GWLP_WNDPROC, own);
  else
    SetWindowLongPtrA(window, GWLP_WNDPROC, own);
  chains.erase(window);
}

LRESULT RunChain(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto found = chains.find(window);
  if (found == chains.end())
    return DefWindowProcW(window, msg, wParam, lParam);
  Chain& chain = *found->second;
  ++chain.running;
  frames.push_back({window, &chain, chain.entries.size()});
  struct Leave {
    Chain& chain;
    ~Leave() {
      frames.pop_back();
      --chain.running;
    }
  };
  LRESULT result = 0;
  {
    const Leave leave{chain};
    result = CallNext(frames.size() - 1, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY)
    chain.ended = true;
  if (chain.running == 0)
    Tidy(window, chain);
  return result;
}

LRESULT CALLBACK ChainProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  return RunChain(window, msg, wParam, lParam);
}

LRESULT CALLBACK ChainInComctl(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
  if (!chains.contains(window))
    return DefSubclassProc(window, msg, wParam, lParam);
  return RunChain(window, msg, wParam, lParam);
}

Entry* Find(Chain& chain, SubclassProcedure procedure, UINT_PTR id) {
  for (Entry& entry : chain.entries)
    if (!entry.removed && entry.procedure == procedure && entry.id == id)
      return &entry;
  return nullptr;
}

Chain* ChainOf(HWND window) {
  const auto found = chains.find(window);
  return found == chains.end() ? nullptr : found->second.get();
}

} // namespace

bool SetSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data) {
  if (procedure == nullptr || window == nullptr ||
      GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
    return false;
  Chain* chain = ChainOf(window);
  if (chain == nullptr) {
    auto made = std::make_unique<Chain>();
    made->unicode = IsWindowUnicode(window) != FALSE;
    // A window someone subclassed already (comctl32's chain, say) gets our chain as one more
    // entry of comctl32's: that chain puts its own procedure back as its last entry comes off,
    // which would cut out a swap of ours made above it.
    const bool subclassed = made->unicode
                                ? static_cast<ULONG_PTR>(GetWindowLongPtrW(window, GWLP_WNDPROC)) !=
                                      GetClassLongPtrW(window, GCLP_WNDPROC)
                                : static_cast<ULONG_PTR>(GetWindowLongPtrA(window, GWLP_WNDPROC)) !=
                                      GetClassLongPtrA(window, GCLP_WNDPROC);
    if (subclassed) {
      if (SetWindowSubclass(window, &ChainInComctl, kInComctlId, 0) == FALSE)
        return false;
    } else {
      const auto ours = reinterpret_cast<LONG_PTR>(&ChainProcedure);
      made->original =
          reinterpret_cast<WNDPROC>(made->unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, ours)
                                                  : SetWindowLongPtrA(window, GWLP_WNDPROC, ours));
      if (made->original == nullptr)
        return false;
    }
    chain = made.get();
    chains[window] = std::move(made);
  }
  if (Entry* entry = Find(*chain, procedure, id)) {
    entry->data = data;
    return true;
  }
  chain->entries.push_back({procedure, id, data});
  return true;
}

bool RemoveSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id) {
  Chain* chain = ChainOf(window);
  Entry* entry = chain == nullptr ? nullptr : Find(*chain, procedure, id);
  if (entry == nullptr)
    return false;
  entry->removed = true;
  // The window's procedure stays ours: a subclass above us may hold it as its own original.
  if (chain->running == 0)
    Tidy(window, *chain);
  return true;
}

bool GetSubclassData(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR* data) {
  Chain* chain = ChainOf(window);
  const Entry* entry = chain == nullptr ? nullptr : Find(*chain, procedure, id);
  if (entry != nullptr && data != nullptr)
    *data = entry->data;
  return entry != nullptr;
}

LRESULT DefSubclass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  for (std::size_t i = frames.size(); i > 0; --i)
    if (frames[i - 1].window == window)
      return CallNext(i - 1, msg, wParam, lParam);
  // Called outside the chain's handling of a message: straight to the window's own procedure.
  if (const Chain* chain = ChainOf(window))
    return CallOwn(*chain, window, msg, wParam, lParam);
  return IsWindowUnicode(window) != FALSE ? DefWindowProcW(window, msg, wParam, lParam)
                                          : DefWindowProcA(window, msg, wParam, lParam);
}

} // namespace tw::win
