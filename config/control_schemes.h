#pragma once

#include "config/keys/scheme.h"
#include "config/toolkit.h"

namespace krovan {

// What choosing a scheme does to the ten key lists: a preset selects its key in each list and
// locks them all; Custom unlocks them as they are. The scheme option buttons' routines.
void ApplyScheme(ToolkitOperations& form, Scheme scheme);

}  // namespace krovan
