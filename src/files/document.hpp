// The program the editor holds as a document: the file it came from, how that file is
// written, and whether the editor holds changes the file does not have yet.
//
// A learner must never lose a program: every front end asks before it throws
// unsaved changes away, and keeps a recovery copy of them while they are unsaved, so
// that a crash or a killed process costs at most the last few seconds of typing. What
// is decided here (the title, the question, the recent files, the recovery copy's
// content and whether it is worth offering) is the same for the desktop window and
// the browser edition; they only store, time and ask.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "machine/charset.hpp"
#include "files/source_text.hpp"

namespace comet {

// The largest file the window opens: thousands of times any program for a machine of
// 200 words, small enough that the editor stays quick.
constexpr size_t kOpenFileLimit = 4 * 1024 * 1024;

// ---- The open document ----

struct Document {
    std::string path;   // the file it was read from or last saved to; empty for none
    FileFormat format;  // how Save writes it: as read, or a new file's form
    Text savedText;     // the editor's text (CR LF lines) as the file holds it
};

// The document the window starts with: no file, the sample program.
Document startDocument();

// A document for a file just read or written.
Document documentOf(std::string path, FileFormat format, Text text);

bool hasUnsavedChanges(const Document& doc, TextView editorText);

// A name Save As was given, with ".casl" added when its last part has no extension, so
// that the Open box's filter shows the file.
std::string withSourceExtension(std::string path);

// The last part of the document's path ("a.casl"), or "Untitled" for none.
Text documentName(const Document& doc);

// The window title: "a.casl — COMET Emulation", with "*" after the name while there are
// unsaved changes. With no file it is "COMET Emulation" as the window has always been
// titled, or "Untitled* — COMET Emulation" once the text is changed.
Text windowTitleOf(const Document& doc, bool unsaved);

// The question asked before unsaved changes would be thrown away.
Text saveChangesQuestion(const Document& doc);

// ---- Recent files ----

constexpr size_t kRecentFileCount = 8;

// The list with `path` first, no path twice, at most kRecentFileCount long.
std::vector<std::string> withRecentFile(std::vector<std::string> recent, const std::string& path);

// ---- The recovery copy ----

// What a recovery copy keeps: the unsaved text and what is needed to save it where
// and as it belongs.
struct RecoveryCopy {
    std::string path;   // the document's file; empty for none
    FileFormat format;  // how that file is written
    Text text;          // the editor's text
};

// The copy as a text of lines ended by CR LF: a first line that says what it is and
// names the file and its form, then the editor's text. Stored as UTF-8.
Text recoveryText(const RecoveryCopy& copy);

// The copy a recovery text holds, or nothing when the text is not one.
std::optional<RecoveryCopy> parseRecoveryText(TextView text);

// Whether restoring the copy would bring back anything: not when the document's file
// now holds that very text (`fileText`: the file's text, nothing when it has none or
// cannot be read), nor, with no file, when the text is empty or the sample.
bool worthRestoring(const RecoveryCopy& copy, const std::optional<Text>& fileText);

}  // namespace comet
