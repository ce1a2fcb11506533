#pragma once

#include "run/RunRequest.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvello {

// "700M", "16G", "1.5T", "4096": K, M, G and T are powers of 1024. Nothing
// for any other text or a size beyond 64 bits.
std::optional<std::uint64_t> ParseSize(std::string_view text);

// A size as ParseSize() reads it, or "free".
std::optional<BudgetOption> ParseBudget(std::string_view text);

}  // namespace tarvello
