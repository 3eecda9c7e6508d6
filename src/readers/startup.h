#pragma once
// Readers of what starts with the system: the Run and RunOnce values of the user and of the
// machine, and the services whose image is a program file, once with their image paths and
// once with their start types.

#include <cstdint>
#include <string>

#include "readers/reader.h"

namespace tw {

// "Boot", "System", "Automatic", "Manual", "[ DISABLED ]"; any other value shows as
// its number, unsigned as stored.
std::string StartTypeLabel(int32_t start);

void ReadServicePaths(ReaderContext& ctx);   // 27: DisplayName=ImagePath
void ReadServiceStatus(ReaderContext& ctx);  // 28: DisplayName=start type label
void ReadUserStartup(ReaderContext& ctx);    // 29: "Run\name=text", "RunOnce\name=text"
void ReadMachineStartup(ReaderContext& ctx); // 30: the same in the machine's hive

} // namespace tw
