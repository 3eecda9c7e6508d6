#pragma once
// Readers of the evidence that programs ran or were present: the application compatibility
// cache (ShimCache) of every control set of the SYSTEM hive, and the Amcache hive's files and
// programs (mounted at HKEY_LOCAL_MACHINE\Amcache.hve, kAmcacheMount).

#include "readers/reader.h"

namespace tw {

// "path=ControlSet00N, Position N, Last Modified ..., Executed Yes|No", in the cache's order,
// after a row "ControlSet00N=format, N entries" saying what was read and any damage.
void ReadShimCache(ReaderContext& ctx);
// "path=SHA-1 ..., Size ..., Link Date ..., Product ..., Publisher ..., Version ..., Key
// Written ..." from Root\InventoryApplicationFile, then the older Root\File\{volume}\{entry}:
// "path=SHA-1 ..., Last Modified ..., Created ..., Modified (17) ..., Key Written ..., File
// Reference ..." (values 101, 11, 12 and 17).
void ReadAmcacheFiles(ReaderContext& ctx);
// "name=Version ..., Publisher ..., Installed ..., Folder ..., Source ..., Key Written ..." from
// Root\InventoryApplication.
void ReadAmcachePrograms(ReaderContext& ctx);

} // namespace tw
