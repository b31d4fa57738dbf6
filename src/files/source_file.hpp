// Source files on disk: the one place that reads and writes them, for the window's
// Open and Save, the command line's --run and --script, and the browser edition.
//
// Reading refuses what is not a source file with a reason a learner can act on: a
// folder, a device, a file that is not text, one too large to be a program. Writing
// replaces the file in one step (a temporary file beside it, renamed over it), so a
// full disk or a crash never leaves half a program behind.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <variant>

#include "files/source_text.hpp"
#include "workbench/messages.hpp"

namespace comet {

// The largest source or script file read: far more than any program for a machine of
// 200 words, small enough that reading a device that never ends stops at once.
constexpr size_t kSourceFileLimit = 16 * 1024 * 1024;

// A limit as a message gives it: "16 MiB", "64 KiB", else the number of bytes.
std::string byteCountText(size_t bytes);

// ---- Errors ----

enum class FileProblem {
    System,       // the system refused: missing, no permission, ... (its reason is in the message)
    Folder,       // a folder, not a file
    Device,       // a device, socket or other file that is neither regular nor a pipe
    NotText,      // NUL bytes, or bytes in no known encoding
    TooLarge,     // more bytes than the limit
    Unencodable,  // the text has a character the file's encoding has no code for
};

struct FileError {
    FileProblem problem;
    std::string message;  // one line naming the file and the reason, e.g. "cannot read a.casl: Permission denied"
};

// ---- Reading and writing ----

struct SourceFile {
    Text text;          // the editor's form: lines ended by CR LF
    FileFormat format;  // how to write it back
};

// Whether a named pipe is read: the command line reads one (a script fed by another
// program), the window refuses it, as it refuses a device, so that it never waits on a
// pipe no one writes to.
enum class Pipes { Read, Refuse };

// Reads and decodes a file, reading at most limit + 1 bytes of it.
std::variant<SourceFile, FileError> readSourceFile(const std::string& path, size_t limit = kSourceFileLimit,
                                                   Pipes pipes = Pipes::Read);

// Decodes the bytes of a file that were read elsewhere (the browser hands them over);
// an error names the file as `name`. Bytes beyond `limit` make the file too large.
std::variant<SourceFile, FileError> sourceFileOf(const std::string& name, std::string_view bytes,
                                                 size_t limit = kSourceFileLimit);

// The bytes a file named `name` gets for the editor's text in `format` (the browser
// hands them to a download); an error names the character the encoding lacks.
std::variant<std::string, FileError> sourceBytesOf(const std::string& name, TextView text, FileFormat format);

// Writes the editor's text in `format`, replacing the file atomically and keeping its
// permissions; on failure the file is as it was.
std::optional<FileError> writeSourceFile(const std::string& path, TextView text, FileFormat format);

// Replaces the file at `path` by `bytes` in one step: a temporary file beside it, synced
// and renamed over it, keeping its permissions; on failure the file is as it was.
// An error's message is `verb`'s ("cannot save FILE: WHY").
std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes, Msg verb = Msg::CliCannotSave);

// A file written as it is made, whole or not at all: the bytes go to a temporary file
// beside the target, renamed over it by commit() once they are all there. A write error,
// a PendingFile destroyed without commit(), or SIGINT, SIGTERM or SIGPIPE while it is
// open removes the temporary and leaves the target as it was. One is open at a time.
class PendingFile {
public:
    // Creates the temporary file; error() says why it cannot be made, in `verb`'s message
    // ("cannot write FILE: WHY").
    PendingFile(const std::string& path, Msg verb);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::optional<FileError>& error() const { return error_; }  // the first failure, naming the system's reason
    bool write(std::string_view bytes);  // false, with error(), once writing has failed
    bool commit();                       // puts the file in the target's place; false, with error(), when it cannot

private:
    bool drain();   // writes the buffer to the temporary
    void discard(); // removes the temporary

    std::string path_, target_, temporary_;
    Msg verb_;
    std::optional<mode_t> keptMode_;
    int fd_ = -1;
    std::string buffer_;
    std::optional<FileError> error_;
};

// Why a system call failed with `errnum`, as a message says it after the file's name.
std::string systemReason(int errnum);

// Writes all of `bytes` to a descriptor, going on after short and interrupted writes.
// Returns the error number of a write that failed, or 0.
int writeAll(int fd, std::string_view bytes);

}  // namespace comet
