#pragma once

#include "platform/FileSystem.h"

#include <sys/types.h>

namespace tarvello {

// Copies everything from `in`'s current offset to its end onto `out`,
// letting the kernel move the bytes wherever it can. `sourceSize` is what
// fstat reported for `in`. Calls `progress` with the bytes copied so far
// after every chunk of at most 1 MiB. Returns 0, or the errno of the failure that ended the copy.
int CopyContents(int in, int out, off_t sourceSize, const CopyProgress& progress);

}  // namespace tarvello
