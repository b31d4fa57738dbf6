#include "app/arguments.hpp"

#include <charconv>

namespace comet {

std::optional<int64_t> numberIn(std::string_view s, int64_t lo, int64_t hi) {
    int64_t v = 0;
    if (s.empty() || s.front() < '0' || s.front() > '9') return std::nullopt;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size() || v < lo || v > hi) return std::nullopt;
    return v;
}

}  // namespace comet
