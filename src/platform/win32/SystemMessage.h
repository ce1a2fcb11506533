#pragma once

#include <windows.h>

#include <string>

namespace tarvello {

// The system's own words for a Win32 error code, in UTF-8, without the
// final full stop and line end that FormatMessage adds.
std::string SystemMessage(DWORD error);

}  // namespace tarvello
