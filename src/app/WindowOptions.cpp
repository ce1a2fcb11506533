#include "app/WindowOptions.h"

#include "app/Startup.h"
#include "plan/SelectionRules.h"
#include "run/BudgetText.h"
#include "run/FrontEndOptions.h"

#include <charconv>
#include <vector>

namespace tarvello {
namespace {

constexpr char kTrue[] = "true";  // as Qt writes a boolean

bool ReadFlag(const SettingsStore& settings, const char* key) {
    return settings.read(kCountSection, key, {}) == kTrue;
}

std::string FlagText(bool on) { return on ? kTrue : "false"; }

std::uint32_t ReadRuns(const std::string& text) {
    std::uint32_t runs = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), runs);
    return error == std::errc() && end == text.data() + text.size() ? runs : 0;
}

}  // namespace

bool WindowOptions::anyOn() const { return *this != WindowOptions{}; }

WindowOptions LoadWindowOptions(const SettingsStore& settings) {
    WindowOptions options;
    options.budget = settings.read(kCountSection, "Budget", {});
    if (!ParseBudget(options.budget))
        options.budget.clear();
    options.extensions = settings.read(kCountSection, "Extensions", {});
    options.perFolder = ReadFlag(settings, "PerFolder");
    options.skipExisting = ReadFlag(settings, "SkipExisting");
    options.distinctNames = ReadFlag(settings, "DistinctNames");
    options.refresh = ReadFlag(settings, "Refresh");
    options.avoidRecent = ReadRuns(settings.read(kCountSection, "AvoidRecent", {}));
    options.playlist = settings.read(kCountSection, "Playlist", {});
    options.orderByName = settings.read(kCountSection, "Order", {}) == "name";
    return options;
}

void SaveWindowOptions(SettingsStore& settings, const WindowOptions& options) {
    settings.save(kCountSection, "Budget", options.budget);
    settings.save(kCountSection, "Extensions", options.extensions);
    settings.save(kCountSection, "PerFolder", FlagText(options.perFolder));
    settings.save(kCountSection, "SkipExisting", FlagText(options.skipExisting));
    settings.save(kCountSection, "DistinctNames", FlagText(options.distinctNames));
    settings.save(kCountSection, "Refresh", FlagText(options.refresh));
    settings.save(kCountSection, "AvoidRecent", std::to_string(options.avoidRecent));
    settings.save(kCountSection, "Playlist", options.playlist);
    settings.save(kCountSection, "Order", options.orderByName ? "name" : "drawn");  // as tarvello-cli's --order
}

void ApplyWindowOptions(const WindowOptions& options, RunRequest& request) {
    ApplyFrontEndOptions(options, request);
    request.budget = ParseBudget(options.budget);
}

std::string OptionsLine(const WindowOptions& options) {
    std::vector<std::string> parts;
    if (options.budget == "free")
        parts.emplace_back("up to free space");
    else if (!options.budget.empty())
        parts.push_back("up to " + options.budget);
    std::string types;
    for (const std::string& extension : ParseExtensionList(options.extensions))
        types += (types.empty() ? "" : ", ") + extension;
    if (!types.empty())
        parts.push_back(types);
    if (options.perFolder)
        parts.emplace_back("each folder an equal chance");
    if (options.skipExisting)
        parts.emplace_back("skips files already there");
    if (options.distinctNames)
        parts.emplace_back("numbers same-named files");
    if (options.refresh)
        parts.emplace_back("replaces the last selection");
    if (options.avoidRecent == 1)
        parts.emplace_back("leaves out the last run's files");
    else if (options.avoidRecent > 1)
        parts.push_back("leaves out the last " + std::to_string(options.avoidRecent) + " runs' files");
    if (!options.playlist.empty())
        parts.emplace_back("writes a playlist");
    if (options.orderByName)
        parts.emplace_back("copies in name order");
    std::string line;
    for (const std::string& part : parts)
        line += (line.empty() ? "" : " \xc2\xb7 ") + part;
    // A phrase starts the line with a capital; file types stay as typed.
    if (!parts.empty() && parts[0] != types)
        line[0] = static_cast<char>(line[0] - 'a' + 'A');
    return line;
}

}  // namespace tarvello
