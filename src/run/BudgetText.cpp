#include "run/BudgetText.h"

#include <charconv>
#include <cmath>

namespace tarvello {

std::optional<std::uint64_t> ParseSize(std::string_view text) {
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number,
                                              std::chars_format::fixed);
    if (error != std::errc() || text.empty() || !(number >= 0) || text.front() == '-')
        return std::nullopt;
    std::string_view unit(end, static_cast<std::size_t>(text.data() + text.size() - end));
    double scale = 1;
    if (!unit.empty()) {
        static constexpr std::string_view kUnits = "KMGT";
        const std::size_t power = kUnits.find(static_cast<char>(unit.front() & ~0x20));
        if (unit.size() != 1 || power == std::string_view::npos)
            return std::nullopt;
        scale = std::pow(1024.0, static_cast<double>(power + 1));
    }
    const double bytes = std::floor(number * scale);
    if (bytes >= 18446744073709551616.0)  // 2^64
        return std::nullopt;
    return static_cast<std::uint64_t>(bytes);
}

std::optional<BudgetOption> ParseBudget(std::string_view text) {
    if (text == "free")
        return BudgetOption{true, 0};
    if (const auto bytes = ParseSize(text))
        return BudgetOption{false, *bytes};
    return std::nullopt;
}

}  // namespace tarvello
