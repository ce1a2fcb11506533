#pragma once

#include <string_view>

namespace tarvello {

// Whether the FUSE mount whose device is `major:minor` in `mountinfo` (the
// text of /proc/self/mountinfo) holds a file system of Windows' kind: one
// that takes a block device (exfat-fuse, ntfs-3g), or whose driver is named
// after FAT (fusefat). The driver's name is the mount's subtype, or else its
// source, which FUSE fills with the program's name when given none. A
// device not listed is not of that kind.
bool IsWindowsKindFuseMount(std::string_view mountinfo, unsigned major, unsigned minor);

}  // namespace tarvello
