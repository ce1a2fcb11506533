#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvello {

// Paths travel through the program as bytes; on Windows those bytes are
// UTF-8, extended to WTF-8 so that a name holding an unpaired surrogate
// (which NTFS allows) still round-trips. These convert at the Win32 API.

// The UTF-16 form of `bytes`, or nothing when they are not WTF-8.
std::optional<std::wstring> WideFromUtf8(std::string_view bytes);

// The WTF-8 form of `wide`: unpaired surrogates are kept as three bytes each.
std::string Utf8FromWide(std::wstring_view wide);

// `path` as the Win32 calls take it: UTF-16, and an absolute path too long
// for the classic limit made whole and given the "\\?\" prefix ("\\?\UNC\"
// for a network path). Nothing when the bytes are not WTF-8.
std::optional<std::wstring> ApiPath(const std::string& path);

}  // namespace tarvello
