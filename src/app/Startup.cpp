#include "app/Startup.h"

#include "run/CountText.h"

#include <cmath>

namespace tarvello {

void SeedGenerator(RandomSource& random, const Clock& clock, Launcher& launcher,
                   const std::string& siteAddress) {
    random.seed(clock.secondsSinceMidnight());
    const int roll = static_cast<int>(std::floor(random.next() * 100.0)) + 1;
    if (roll == 7 && !siteAddress.empty())
        launcher.openUrl(siteAddress);
}

std::string LoadCount(const SettingsStore& settings) {
    return settings.read(kCountSection, kCountKey, kDefaultCount);
}

bool SaveCountIfPositive(SettingsStore& settings, const std::string& text) {
    if (!(ReadCount(text) > 0.0))
        return false;
    settings.save(kCountSection, kCountKey, text);
    return true;
}

}  // namespace tarvello
