#include "refresh/RecordLocks.h"

#include "lists/PathText.h"

#include <map>

namespace tarvello {

std::vector<std::string> RecordLocks::lock(FileSystem& fs, const std::vector<std::string>& destinations,
                                           const std::function<void(const std::string&)>& say, char separator) {
    // A folder named twice is locked once: a second lock taken by this same
    // run would be refused as another run's.
    std::map<std::string, bool> locked;
    std::vector<std::string> kept;
    for (const std::string& entry : destinations) {
        const std::string folder = WithFinalSeparator(entry, separator);
        auto [place, first] = locked.emplace(folder, false);
        if (first) {
            LockAttempt attempt = fs.lockFile(folder + std::string(kRecordLockName));
            place->second = attempt.lock != nullptr;
            if (attempt.lock)
                held_.push_back(std::move(attempt.lock));
            else if (attempt.heldElsewhere)
                say(folder + ": another run is using this folder; it is left out of this one");
            else
                say(folder + ": cannot be locked for this run (" + attempt.reason + "); it is left out");
        }
        if (place->second)
            kept.push_back(entry);
    }
    return kept;
}

}  // namespace tarvello
