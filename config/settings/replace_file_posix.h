#pragma once

#include <string>
#include <string_view>

#include "config/settings/new_file_posix.h"

namespace krovan {

// ReplaceFile with the new file of kind `first`; kUnnamed falls back to kNamed where the system
// has no unnamed files. ReplaceFile starts with kUnnamed.
std::string ReplaceFileStartingWith(const std::string& path, std::string_view contents,
                                    NewFileKind first);

}  // namespace krovan
