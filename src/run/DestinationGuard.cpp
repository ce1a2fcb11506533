#include "run/DestinationGuard.h"

namespace tarvello {

DestinationGuard::DestinationGuard(FileSystem& inner, const std::vector<std::string>& folders, char separator)
    : ForwardingFileSystem(inner), separator_(separator) {
    const std::vector<std::string_view> views(folders.begin(), folders.end());
    const auto stamps = inner.folderStamps(views);
    for (std::size_t i = 0; i < folders.size(); ++i)
        if (stamps[i])
            devices_.emplace(folders[i], stamps[i]->device);
}

std::string DestinationGuard::folderOf(const std::string& path) const {
    return path.substr(0, path.rfind(separator_) + 1);
}

std::optional<std::string> DestinationGuard::refusal(const std::string& folder) {
    const auto device = devices_.find(folder);
    if (device == devices_.end())
        return std::nullopt;
    if (const auto stopped = stopped_.find(folder); stopped != stopped_.end())
        return stopped->second;
    const auto now = inner().folderStamps({folder}).front();
    if (now && now->device == device->second)
        return std::nullopt;
    return stopped_.emplace(folder, now ? "now on another device" : "no longer there").first->second;
}

CopyOutcome DestinationGuard::replaceFile(const std::string& source, const std::string& target,
                                          const CopyProgress& progress) {
    const std::string folder = folderOf(target);
    if (const auto refused = refusal(folder))
        return {CopyOutcome::Status::Failed, *refused, CopyOutcome::Reach::Destination};
    CopyOutcome outcome = inner().replaceFile(source, target, progress);
    const bool roomLeft = outcome.reach == CopyOutcome::Reach::Room && canMakeRoom_ && canMakeRoom_(folder);
    if (roomLeft)
        outcome.reach = CopyOutcome::Reach::Copy;
    else if (outcome.reach != CopyOutcome::Reach::Copy && devices_.contains(folder))
        stopped_.emplace(folder, outcome.reason);
    return outcome;
}

std::optional<std::string> DestinationGuard::removeFile(const std::string& path) {
    if (auto refused = refusal(folderOf(path)))
        return refused;
    return inner().removeFile(path);
}

std::optional<std::string> DestinationGuard::replaceContents(const std::string& path, const ContentsWriter& contents) {
    if (auto refused = refusal(folderOf(path)))
        return refused;
    return inner().replaceContents(path, contents);
}

std::optional<std::string> DestinationGuard::makeFolder(const std::string& path) {
    if (auto refused = refusal(folderOf(path)))
        return refused;
    return inner().makeFolder(path);
}

std::optional<std::string> DestinationGuard::removeFolder(const std::string& path) {
    if (auto refused = refusal(folderOf(path)))
        return refused;
    return inner().removeFolder(path);
}

std::optional<std::string> DestinationGuard::moveFile(const std::string& from, const std::string& to) {
    if (auto refused = refusal(folderOf(from)))
        return refused;
    if (auto refused = refusal(folderOf(to)))
        return refused;
    return inner().moveFile(from, to);
}

std::vector<FlushFailure> DestinationGuard::flush(const std::vector<std::string>& folders,
                                                  const std::function<void()>& whileWaiting) {
    std::vector<std::string> writable;
    std::vector<FlushFailure> failures;
    for (const std::string& folder : folders) {
        const bool stoppedBefore = stopped_.contains(folder);
        if (const auto refused = refusal(folder); !refused)
            writable.push_back(folder);
        else if (!stoppedBefore)
            failures.push_back({folder, *refused});
    }
    for (FlushFailure& failure : inner().flush(writable, whileWaiting))
        failures.push_back(std::move(failure));
    return failures;
}

}  // namespace tarvello
