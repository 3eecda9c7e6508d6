#pragma once
// The reader contract. A reader is chosen by its catalog index alone and runs to completion on
// the user-interface thread. On entry the row buffer is empty and in insertion order and both
// scratch lists are empty. It writes only to these three lists, leaves only preview rows
// ("name=value") in the buffer, never sorts and never reports anything: a missing key or value
// gives fewer rows or empty values, and an error it raises ends the run.

#include "runtime/strings.h"

namespace tw {

struct ReaderContext {
  TStrings& rows;        // the row buffer
  TStringList& scratch1; // subkey or value names of the key being walked
  TStringList& scratch2; // value names of one subkey (open/save history)
};

using ReaderFn = void (*)(ReaderContext&);

} // namespace tw
