// The whole numbers that the command line's options and the script's commands take.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace comet {

// A decimal number of digits only (no sign, no blanks) from lo to hi, or nothing.
std::optional<int64_t> numberIn(std::string_view s, int64_t lo, int64_t hi);

}  // namespace comet
