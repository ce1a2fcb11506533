#pragma once

namespace tarvello {

// The one separator of this platform's paths.
#ifdef _WIN32
inline constexpr char kNativeSeparator = '\\';
#else
inline constexpr char kNativeSeparator = '/';
#endif

}  // namespace tarvello
