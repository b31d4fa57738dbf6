#include "web/file_text.hpp"

#include <iconv.h>

#include "workbench/editor_text.hpp"

namespace comet {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isValidUtf8(std::string_view s) { return toUtf8(fromUtf8(s)) == s; }

Text fromUtf16(std::string_view bytes, bool bigEndian) {
    Text text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        text += static_cast<char16_t>((hi << 8) | lo);
    }
    return text;
}

// CP932 through the C library; a byte that starts no character becomes U+FFFD.
Text fromCp932(std::string_view bytes) {
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return fromUtf8(bytes);
    std::string in(bytes);
    std::string out(in.size() * 2 + 2, '\0');
    char* inp = in.data();
    size_t inLeft = in.size();
    Text text;
    while (inLeft > 0) {
        char* outp = out.data();
        size_t outLeft = out.size();
        const bool failed = iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1);
        text += fromUtf16(std::string_view(out.data(), out.size() - outLeft), false);
        if (failed && inLeft > 0) {
            text += kReplacement;
            ++inp;
            --inLeft;
        }
    }
    iconv_close(cd);
    return text;
}

}  // namespace

Text fileText(std::string_view bytes) {
    Text text;
    if (bytes.starts_with("\xFF\xFE")) text = fromUtf16(bytes.substr(2), false);
    else if (bytes.starts_with("\xFE\xFF")) text = fromUtf16(bytes.substr(2), true);
    else if (isValidUtf8(bytes)) text = fromUtf8(bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes);
    else text = fromCp932(bytes);
    return editorText(text);
}

}  // namespace comet
