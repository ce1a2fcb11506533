#pragma once

#include <string>
#include <vector>

class QMimeData;

namespace tarvello {

// The native paths of the local files and folders a drop offers, in the
// order the file manager lists them, each without a final separator.
// Links and text that name no local file give nothing.
std::vector<std::string> DroppedFiles(const QMimeData& dropped);

}  // namespace tarvello
