#pragma once

#include "platform/Clock.h"
#include "platform/Launcher.h"
#include "platform/RandomSource.h"
#include "platform/SettingsStore.h"

#include <string>

namespace tarvello {

// Where the count lives in the settings store, and its value on a first run.
inline constexpr char kCountSection[] = "Tarvello";
inline constexpr char kCountKey[] = "Text1";
inline constexpr char kDefaultCount[] = "100";

// Seeds the generator once from the time of day and draws one number: in
// one start out of a hundred (the draw gives 7 of 1..100) it opens the
// publisher's site, when there is an address to open.
void SeedGenerator(RandomSource& random, const Clock& clock, Launcher& launcher,
                   const std::string& siteAddress);

std::string LoadCount(const SettingsStore& settings);

// Saves the count text unchanged when it reads as a positive number;
// answers whether it did.
bool SaveCountIfPositive(SettingsStore& settings, const std::string& text);

}  // namespace tarvello
