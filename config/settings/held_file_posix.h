#pragma once

#include <sys/stat.h>

#include "config/settings/descriptor_posix.h"

namespace krovan {

// Opens with `flags` (O_RDONLY or O_WRONLY) the file held as `held` (O_PATH, not following a
// link) and described by `status`, its own fstat: only a regular file, and through
// /proc/self/fd, which leads to the held file itself without looking its name up again. A
// device, pipe or socket put in the file's place is never opened, so no driver acts on an open,
// and nothing waits for a writer. Where /proc is not mounted the file is not opened at all:
// opening it by name again could open whatever someone put there since, a device included, and
// only a check after the open would notice. Returns 0, kNotRegularFile, kNoProcFs,
// kChangedMeanwhile or an errno value.
int OpenHeldFile(int held, const struct stat& status, int flags, Descriptor& opened);

}  // namespace krovan
