#pragma once

#include <QString>

#include <string>

namespace tarvello {

// The native bytes of a path that Qt hands back as text. Qt decodes file
// names lossily: a name that is not valid UTF-8 comes back with U+FFFD in
// place of its bytes and no longer names anything. Where the encoded path
// does not exist, each component is matched against the real entries of
// its parent folder, taking the one entry whose decoded name equals it; a
// component with no such entry, or with several, stays as encoded.
std::string ExactPath(const QString& path);

}  // namespace tarvello
