#pragma once
// The local accounts of a SAM hive (mounted at HKEY_LOCAL_MACHINE\SAM): each user's names,
// times, counters, account flags and groups, from Users\<RID> F and V, Users\Names and the
// aliases' C values. On a live system only SYSTEM may read the SAM: others get no rows.

#include "readers/reader.h"

namespace tw {

// Rows "user\field=value" in RID order, the fields of each user in a fixed order: RID, SID,
// Full Name, Comment, Account Created, Last Logon, Password Last Set, Account Expires, Last
// Failed Logon, Logon Count, Failed Logon Count, Flags, Groups, and the profile's paths.
void ReadSamAccounts(ReaderContext& ctx);

} // namespace tw
