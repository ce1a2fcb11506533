#pragma once

#include <string_view>

namespace tarvello {

// What the FUSE mount whose device is `major:minor` in `mountinfo` (the
// text of /proc/self/mountinfo) holds. The driver's name is the mount's
// subtype, or else its source, which FUSE fills with the program's name
// when given none. A device not listed is Other.
enum class FuseMountKind {
    Other,
    FatDriver,    // a driver named after FAT (fusefat)
    BlockDevice,  // a driver that takes a block device (exfat-fuse, ntfs-3g)
};
FuseMountKind KindOfFuseMount(std::string_view mountinfo, unsigned major, unsigned minor);

}  // namespace tarvello
