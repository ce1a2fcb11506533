#include "platform/win32/WidePath.h"

#include <windows.h>

namespace tarvello {
namespace {

// Beyond this length CreateDirectoryW, the strictest of the calls, refuses
// a path without the prefix (MAX_PATH less room for an 8.3 file name).
constexpr std::size_t kClassicLimit = MAX_PATH - 12;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsHigh(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::optional<std::wstring> WideFromUtf8(std::string_view bytes) {
    std::wstring wide;
    wide.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > bytes.size())
            return std::nullopt;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if (!IsContinuation(next))
                return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, code points past Unicode and NUL name nothing; a
        // surrogate is let through alone, but a pair spelt as two
        // three-byte forms would be a second spelling of one name.
        static constexpr char32_t kShortest[] = {0, 1, 0x80, 0x800, 0x10000};
        if (code < kShortest[length] || code > 0x10FFFF)
            return std::nullopt;
        if (code >= 0xDC00 && code <= 0xDFFF && !wide.empty() && IsHigh(wide.back()))
            return std::nullopt;
        if (code >= 0x10000) {
            code -= 0x10000;
            wide += static_cast<wchar_t>(0xD800 + (code >> 10));
            wide += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            wide += static_cast<wchar_t>(code);
        }
        i += length;
    }
    return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const wchar_t unit = wide[i];
        if (IsHigh(unit) && i + 1 < wide.size() && IsLow(wide[i + 1])) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (wide[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, static_cast<char32_t>(unit));
        }
    }
    return out;
}

std::optional<std::wstring> ApiPath(const std::string& path) {
    std::optional<std::wstring> wide = WideFromUtf8(path);
    if (!wide || wide->size() < kClassicLimit || wide->starts_with(L"\\\\?\\") || wide->starts_with(L"\\\\.\\"))
        return wide;
    // The prefix turns off the system's own clean-up of the path, so the
    // path is made whole first: "/" to "\", "." and ".." resolved.
    std::wstring full(wide->size() + 1, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(wide->c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return wide;
        if (length < full.size()) {
            full.resize(length);
            break;
        }
        full.resize(length);
    }
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace tarvello
