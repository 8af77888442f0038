#pragma once

#include <string>

namespace krovan {

// The folder that holds the running program file, from GetModuleFileNameW: UTF-8, without a
// trailing backslash ("C:" for a program at the root of drive C).
std::string ExecutableDirectory();

}  // namespace krovan
