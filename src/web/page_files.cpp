// The page's program as a document, as the desktop window keeps it: files opened from
// the browser's picker and read by the desktop's code, saved as downloads in their own
// encoding and line ends, the question before unsaved changes are lost, and the
// recovery copy the page keeps in the browser's storage.
#include <emscripten.h>

#include <string>
#include <string_view>
#include <variant>

#include "session/actions.hpp"
#include "session/mainwindow.hpp"
#include "web/json_writer.hpp"
#include "web/page_session.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

constexpr const char* kNewFileName = "program.casl";  // the download's name for a program never saved

// A new document: the editor starts a new undo history, so that undo never goes back
// into another document, and the machine starts afresh with it, as at start-up.
void loadDocument(PageSession& s, Document doc, const Text& text) {
    s.doc = std::move(doc);
    ++s.documentNumber;
    startWithText(s.wb, text, documentName(s.doc));
}

const std::string& downloadName(const PageSession& s) {
    static const std::string newFile = kNewFileName;
    return s.doc.path.empty() ? newFile : s.doc.path;
}

// Reads a file's bytes as the desktop reads a file; a file it refuses leaves
// everything as it was, and a message box says why.
bool readFile(PageSession& s, const std::string& name, std::string_view bytes) {
    auto read = sourceFileOf(name, bytes, kOpenFileLimit);
    if (const auto* error = std::get_if<FileError>(&read)) {
        s.wb.display().messageBox(fromUtf8(error->message), kAppTitle);
        return false;
    }
    s.readFile = std::move(std::get<SourceFile>(read));
    s.readName = name;
    return true;
}

// The editor's text as its file's bytes, kept for the page to download; false, after
// a message box says why, when the file's encoding cannot hold it.
bool saveFile(PageSession& s) {
    const std::string name = downloadName(s);
    auto bytes = sourceBytesOf(name, s.wb.text1.text, s.doc.format);
    if (const auto* error = std::get_if<FileError>(&bytes)) {
        s.wb.display().messageBox(fromUtf8(error->message), kAppTitle);
        return false;
    }
    s.saved = std::move(std::get<std::string>(bytes));
    s.doc = documentOf(name, s.doc.format, s.wb.text1.text);
    return true;
}

// A text for the page as JSON, so that every UTF-16 unit reaches it as it is.
const char* jsonText(const Text& text) {
    static std::string json;
    JsonWriter writer;
    writer.value(text);
    json = writer.text();
    return json.c_str();
}

}  // namespace
}  // namespace comet

using comet::deliver;
using comet::PageSession;
using comet::session;
using comet::Workbench;

extern "C" {

// ---- Opening ----

// The most of a file worth reading: one byte more than the page opens.
EMSCRIPTEN_KEEPALIVE double web_open_limit() { return static_cast<double>(comet::kOpenFileLimit + 1); }

// A file the user picked, read as the desktop reads a file: 1 when it can be opened
// (web_open_read_file, once the user has answered for unsaved changes), 0 when a box
// said why not.
EMSCRIPTEN_KEEPALIVE int web_read_file(const char* name, const char* bytes, int size) {
    const std::string_view file(bytes, static_cast<size_t>(size));
    bool read = false;
    deliver([&](Workbench&) { read = comet::readFile(session(), name, file); });
    return read ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void web_open_read_file() {
    deliver([](Workbench&) {
        PageSession& s = session();
        if (!s.readFile) return;
        comet::loadDocument(s, comet::documentOf(s.readName, s.readFile->format, s.readFile->text), s.readFile->text);
        s.readFile.reset();
    });
}

// File ▸ New: an empty program, to be saved as a new file.
EMSCRIPTEN_KEEPALIVE void web_new() {
    deliver([](Workbench&) { comet::loadDocument(session(), comet::documentOf({}, {}, {}), {}); });
}

// The question asked before unsaved changes would be lost (the state says whether there are any).
EMSCRIPTEN_KEEPALIVE const char* web_save_question() {
    return comet::jsonText(comet::saveChangesQuestion(session().doc));
}

// ---- Saving ----

// The editor's text encoded as its file was; the bytes (web_saved_bytes) are valid
// until the next save. 0 when there is nothing to download (a box said why).
EMSCRIPTEN_KEEPALIVE int web_save() {
    bool saved = false;
    deliver([&](Workbench&) { saved = comet::saveFile(session()); });
    return saved ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* web_saved_bytes() { return session().saved.data(); }
EMSCRIPTEN_KEEPALIVE int web_saved_size() { return static_cast<int>(session().saved.size()); }

// The name the download of a save gets.
EMSCRIPTEN_KEEPALIVE const char* web_file_name() { return comet::downloadName(session()).c_str(); }

// ---- The recovery copy ----

// The copy to keep while the editor holds unsaved changes, as JSON; "" (as JSON) when
// there are none and no copy is to be kept.
EMSCRIPTEN_KEEPALIVE const char* web_recovery_text() {
    const PageSession& s = session();
    if (!comet::hasUnsavedChanges(s.doc, s.wb.text1.text)) return comet::jsonText({});
    return comet::jsonText(comet::recoveryText({s.doc.path, s.doc.format, s.wb.text1.text}));
}

// The name of the document a kept copy holds changes to, as JSON; "" when it is no copy
// or brings nothing back.
EMSCRIPTEN_KEEPALIVE const char* web_recovery_offer(const char* kept) {
    const auto copy = comet::parseRecoveryText(comet::fromUtf8(kept));
    if (!copy || !comet::worthRestoring(*copy, std::nullopt)) return comet::jsonText({});
    return comet::jsonText(comet::documentName(comet::documentOf(copy->path, copy->format, {})));
}

// Brings a kept copy back: its document, with the copy's text as unsaved changes.
EMSCRIPTEN_KEEPALIVE void web_restore(const char* kept) {
    const auto copy = comet::parseRecoveryText(comet::fromUtf8(kept));
    if (!copy) return;
    deliver([&](Workbench&) { comet::loadDocument(session(), comet::documentOf(copy->path, copy->format, {}), copy->text); });
}

}  // extern "C"
