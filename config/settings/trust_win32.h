#pragma once

#include <windows.h>

namespace krovan {

// Who may have made or changed a file or folder, judged from the handle it is open by, which
// must carry READ_CONTROL. Trusted are the user running the program, the local system,
// the administrators and the system's services (such as TrustedInstaller): nobody else can
// act as them without being an administrator already.

// Whether `entry` belongs to a trusted owner. Without the right to read its owner, it does not.
bool OwnedByTrusted(HANDLE entry);

// Whether nobody but the trusted may add, delete or rename what is in `folder`, nor change its
// rights: it has a trusted owner, and its DACL grants none of those rights to anyone else (as the
// Modify that a folder at the root of a drive inherits for Authenticated Users does). A folder
// without a DACL grants everyone everything.
bool ClosedToOthers(HANDLE folder);
// The same judgement of a folder whose owner and DACL are these.
bool ClosedToOthers(PSID owner, const ACL* dacl);

}  // namespace krovan
