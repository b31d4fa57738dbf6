// A source file's bytes and the editor's text, both ways.
//
// Course material comes in every encoding Japanese editors write: UTF-8 with or
// without a byte-order mark, UTF-16 with one (Windows editors), and CP932 (Shift_JIS
// as older material is written). The editor always holds lines ended by CR LF; a file
// is written back in the encoding and with the line end it was read with, so opening
// and saving a file changes nothing but what the user edited.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "machine/charset.hpp"

namespace comet {

// ---- The form of a file ----

enum class Encoding { Utf8, Utf8WithBom, Utf16Le, Utf16Be, Cp932 };
enum class LineEnd { CrLf, Lf, Cr };

// How a file is written. A new file is UTF-8 without a byte-order mark with LF line ends.
struct FileFormat {
    Encoding encoding = Encoding::Utf8;
    LineEnd lineEnd = LineEnd::Lf;
    bool operator==(const FileFormat&) const = default;
};

std::string_view encodingName(Encoding encoding);  // "UTF-8", "Shift_JIS (CP932)", ...

// ---- Reading ----

constexpr size_t kTextProbeBytes = 4096;  // NUL bytes among the first ones mark a file that is not text

// Why bytes are not text.
enum class NotText {
    NulBytes,         // NUL bytes in the first block (not looked for in UTF-16)
    UnknownEncoding,  // neither UTF-8 nor CP932, or UTF-16 cut in the middle of a unit
};

struct DecodedSource {
    Text text;          // the editor's form: every line ended by CR LF
    FileFormat format;  // how the bytes were written; the line end is the first one found
};

// Detects the encoding: a byte-order mark first, then valid UTF-8, else valid CP932.
std::variant<DecodedSource, NotText> decodeSource(std::string_view bytes);

// A text with every line end (CR LF, a lone CR, a lone LF) as CR LF, the editor's form.
Text editorText(TextView text);

// ---- Writing ----

// The file's bytes for the editor's text: every line end as `format.lineEnd`, in
// `format.encoding`. When the encoding has no code for a character, the offset of the
// first such character in `text` instead.
std::variant<std::string, size_t> encodeSource(TextView text, FileFormat format);

}  // namespace comet
