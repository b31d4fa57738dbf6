#include "files/document.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "workbench/sample.hpp"
#include "workbench/display.hpp"
#include "workbench/messages.hpp"

namespace comet {

namespace {

constexpr TextView kTitleSeparator = u" \u2014 ";  // an em dash between the name and the program
constexpr TextView kRecoveryMark = u"COMET Workbench recovery copy";
constexpr char16_t kField = u'\t';
constexpr TextView kLineBreak = u"\r\n";

constexpr std::array kEncodings{Encoding::Utf8, Encoding::Utf8WithBom, Encoding::Utf16Le, Encoding::Utf16Be, Encoding::Cp932};
constexpr std::array kLineEnds{std::pair{LineEnd::CrLf, u"CR LF"}, std::pair{LineEnd::Lf, u"LF"}, std::pair{LineEnd::Cr, u"CR"}};

TextView lineEndName(LineEnd end) {
    for (const auto& [value, name] : kLineEnds) {
        if (value == end) return name;
    }
    return u"LF";
}

std::optional<Encoding> encodingNamed(TextView name) {
    for (const Encoding e : kEncodings) {
        if (fromAscii(encodingName(e)) == name) return e;
    }
    return std::nullopt;
}

std::optional<LineEnd> lineEndNamed(TextView name) {
    for (const auto& [value, endName] : kLineEnds) {
        if (name == endName) return value;
    }
    return std::nullopt;
}

// A path the header line can carry and give back byte for byte; else none.
Text storablePath(const std::string& path) {
    const Text text = fromUtf8(path);
    const bool fits = toUtf8(text) == path && text.find_first_of(u"\t\r\n") == Text::npos;
    return fits ? text : Text();
}

// The fields of a line, split at tabs; the last field takes the rest of the line.
std::vector<TextView> fieldsOf(TextView line, size_t count) {
    std::vector<TextView> fields;
    while (fields.size() + 1 < count) {
        const size_t tab = line.find(kField);
        if (tab == TextView::npos) break;
        fields.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    fields.push_back(line);
    return fields;
}

}  // namespace

Document startDocument() { return Document{{}, FileFormat{}, kSampleProgram}; }

Document documentOf(std::string path, FileFormat format, Text text) {
    return Document{std::move(path), format, std::move(text)};
}

bool hasUnsavedChanges(const Document& doc, TextView editorText) { return editorText != doc.savedText; }

std::string withSourceExtension(std::string path) {
    const size_t slash = path.find_last_of('/');
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    // A dot that begins the name (".profile") is part of the name, not an extension.
    if (start < path.size() && (dot == std::string::npos || dot <= start)) path += ".casl";
    return path;
}

Text documentName(const Document& doc) {
    if (doc.path.empty()) return messageText(Msg::Untitled);
    const size_t slash = doc.path.find_last_of('/');
    return fromUtf8(slash == std::string::npos ? doc.path : doc.path.substr(slash + 1));
}

Text windowTitleOf(const Document& doc, bool unsaved) {
    if (doc.path.empty() && !unsaved) return kAppTitle;
    return documentName(doc) + (unsaved ? u"*" : u"") + Text(kTitleSeparator) + kAppTitle;
}

Text saveChangesQuestion(const Document& doc) { return messageText(Msg::AskSaveChanges, {toUtf8(documentName(doc))}); }

std::vector<std::string> withRecentFile(std::vector<std::string> recent, const std::string& path) {
    std::erase(recent, path);
    recent.insert(recent.begin(), path);
    if (recent.size() > kRecentFileCount) recent.resize(kRecentFileCount);
    return recent;
}

Text recoveryText(const RecoveryCopy& copy) {
    Text header(kRecoveryMark);
    for (const TextView field : {fromAscii(encodingName(copy.format.encoding)), Text(lineEndName(copy.format.lineEnd)),
                                 storablePath(copy.path)}) {
        header += kField;
        header += field;
    }
    return header + Text(kLineBreak) + copy.text;
}

std::optional<RecoveryCopy> parseRecoveryText(TextView text) {
    const size_t headerEnd = text.find(kLineBreak);
    if (headerEnd == TextView::npos) return std::nullopt;
    const std::vector<TextView> fields = fieldsOf(text.substr(0, headerEnd), 4);
    if (fields.size() != 4 || fields[0] != kRecoveryMark) return std::nullopt;
    const auto encoding = encodingNamed(fields[1]);
    const auto lineEnd = lineEndNamed(fields[2]);
    if (!encoding || !lineEnd) return std::nullopt;
    return RecoveryCopy{toUtf8(Text(fields[3])), FileFormat{*encoding, *lineEnd}, Text(text.substr(headerEnd + kLineBreak.size()))};
}

bool worthRestoring(const RecoveryCopy& copy, const std::optional<Text>& fileText) {
    if (fileText) return copy.text != *fileText;
    if (copy.path.empty()) return !copy.text.empty() && copy.text != kSampleProgram;
    return true;
}

}  // namespace comet
