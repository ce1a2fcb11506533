#include "platform/qt/QtProgramEnd.h"

#include "platform/posix/TempFile.h"

#include <cstdio>
#include <unistd.h>

namespace tarvello {

// The window can close in the middle of a copy run, deep inside a nested
// event loop; leaving at once is the only way not to carry the run on.
// Nothing is left to save: settings are flushed when written. The copy in
// the making goes: an unnamed one with the process, a named one here.
void QtProgramEnd::endProgram() {
    RemoveUnfinishedTempFiles();
    std::fflush(nullptr);
    _exit(0);
}

}  // namespace tarvello
