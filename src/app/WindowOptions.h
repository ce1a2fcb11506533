#pragma once

#include "platform/SettingsStore.h"
#include "run/RunRequest.h"

#include <cstdint>
#include <string>

namespace tarvello {

// What the Options dialog sets, beyond the count and the repeat box. With
// everything off the window draws and copies exactly as without it.
struct WindowOptions {
    std::string budget;      // empty: by the count; a size such as "2M"; or "free"
    std::string extensions;  // as typed, such as "mp3, flac"; empty: every file
    bool perFolder = false;
    bool skipExisting = false;
    bool distinctNames = false;
    bool refresh = false;
    std::uint32_t avoidRecent = 0;  // 0: off
    std::string playlist;           // the playlist's path, as bytes; empty: none
    bool orderByName = false;

    bool anyOn() const;
    bool operator==(const WindowOptions&) const = default;
};

// Read from the window's settings, beside the count. A key missing or
// holding what it cannot hold leaves that option off.
WindowOptions LoadWindowOptions(const SettingsStore& settings);
void SaveWindowOptions(SettingsStore& settings, const WindowOptions& options);

// Fills the request's rules, refresh and playlist from the options.
void ApplyWindowOptions(const WindowOptions& options, RunRequest& request);

// The options that are on, in a line: "Up to free space · mp3, flac ·
// replaces the last selection". Empty when none is.
std::string OptionsLine(const WindowOptions& options);

}  // namespace tarvello
