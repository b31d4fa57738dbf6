// Reads a fuzzer's bytes as a stream of small values; past the end it reads zeros.
#pragma once

#include <cstddef>
#include <cstdint>

#include "machine/charset.hpp"

namespace comet::fuzz {

class InputBytes {
public:
    InputBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t u16() { return static_cast<uint16_t>(byte() << 8 | byte()); }
    // A short text of characters a learner might type into a box or an input line.
    Text text(size_t maxLength) {
        Text t;
        const size_t n = byte() % (maxLength + 1);
        static constexpr char16_t pool[] = u"0123456789ABCDEFabcdefXx \t\nｱあ漢\0";
        for (size_t i = 0; i < n; ++i) t += pool[byte() % (sizeof pool / sizeof pool[0])];
        return t;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

}  // namespace comet::fuzz
