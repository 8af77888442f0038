#pragma once

#include "config/toolkit.h"

namespace krovan {

// The click routines of the three scheme option buttons. Classic and Enhanced select their
// preset's key in each of the ten lists and lock them; Custom unlocks them as they are.
void optClassic_Click(ToolkitOperations& form);
void optEnhanced_Click(ToolkitOperations& form);
void optCustom_Click(ToolkitOperations& form);

}  // namespace krovan
