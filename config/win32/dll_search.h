#pragma once

namespace krovan {

// Makes the loader take DLLs loaded by name from System32 only, never from the program's folder
// or the current one, where another user of a shared game folder could leave one. Called first
// thing in the program.
void RestrictDllSearch();

}  // namespace krovan
