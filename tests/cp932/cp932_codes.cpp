// Prints every CP932 code the converter reads, with the character it reads as and, where
// writing that character gives other bytes, those: one line each, "CODE CHAR [-> BACK]"
// in hexadecimal. Built for the desktop and for WebAssembly (whose converter is its own
// table), so that both can be compared with one golden list made from the desktop's.
#include <cstdio>
#include <string>
#include <variant>

#include "machine/charset.hpp"

namespace {

void printCode(const std::string& bytes) {
    const auto text = comet::fromCp932(bytes);
    if (!text || text->size() != 1) return;  // not a character
    std::printf("%02X", static_cast<unsigned char>(bytes[0]));
    if (bytes.size() == 2) std::printf("%02X", static_cast<unsigned char>(bytes[1]));
    std::printf(" %04X", static_cast<unsigned>((*text)[0]));
    const auto back = comet::toCp932(*text);
    const auto* written = std::get_if<std::string>(&back);
    if (written == nullptr) std::printf(" -> none");
    else if (*written != bytes) {
        std::printf(" ->");
        for (const char b : *written) std::printf(" %02X", static_cast<unsigned char>(b));
    }
    std::printf("\n");
}

bool isLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

int main() {
    for (unsigned first = 0x80; first <= 0xFF; ++first) {
        if (!isLead(first)) {
            printCode(std::string(1, static_cast<char>(first)));
            continue;
        }
        for (unsigned second = 0x40; second <= 0xFC; ++second)
            printCode(std::string{static_cast<char>(first), static_cast<char>(second)});
    }
    return 0;
}
