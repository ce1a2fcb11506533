#pragma once

#include "platform/FileSystem.h"

#include <QCursor>

namespace tarvello {

// The pointer shown over the buttons: the image of "HAND-M.CUR" beside the
// executable when it loads, else the platform's pointing hand.
QCursor LoadHandCursor(const FileSystem& fs);

// The pointer over the source list while an entry is picked up: the image
// of "drag.ico" beside the executable when it loads, else the platform's
// closed hand.
QCursor LoadDragCursor(const FileSystem& fs);

}  // namespace tarvello
