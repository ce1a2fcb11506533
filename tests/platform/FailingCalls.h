#pragma once

namespace tarvello::test {

// System calls that fail on demand, where no real disk can be made to fail
// that way. The platform tests are linked with close, openat, write, linkat,
// renameat, renameat2, readdir, syncfs and fpathconf wrapped; each passes straight
// through unless a test arms it here, and the test disarms it again with
// `failing = {}`.
struct Failures {
    bool noUnnamedFiles = false;  // as on exFAT and FAT sticks
    int writeError = 0;           // these two for files open for writing only: the copies
    int closeError = 0;
    int linkError = 0;
    int renameError = 0;
    bool noRenameFlags = false;   // renameat2 takes no flags, as through older FUSE drivers
    int readdirAfter = -1;        // visible names read before the read fails
    int syncError = 0;            // a device that does not take the copies
    long nameMax = 0;             // longest name a new file may have, as on some file systems
};
extern Failures failing;

}  // namespace tarvello::test
