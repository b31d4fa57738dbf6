#include "files/source_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <vector>

#include "files/escape.hpp"
#include "workbench/editor_text.hpp"

namespace comet {
namespace {

constexpr size_t kReadChunk = 64 * 1024;

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd;
    explicit Descriptor(int d) : fd(d) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

FileError error(FileProblem problem, Msg verb, const std::string& path, std::string_view reason) {
    return {problem, message(verb, {shownName(path), reason})};
}

FileError systemError(Msg verb, const std::string& path, int errnum) {
    return error(FileProblem::System, verb, path, systemReason(errnum));
}

// Why a file of this type cannot be a source file, or nothing when it can: a regular
// file, and for reading a pipe too.
std::optional<FileError> notAFile(const struct stat& st, bool pipeAllowed, Msg verb, const std::string& path) {
    const auto problem = [&](FileProblem p, Msg what) { return error(p, verb, path, message(what)); };
    if (S_ISREG(st.st_mode) || (pipeAllowed && S_ISFIFO(st.st_mode))) return std::nullopt;
    if (S_ISDIR(st.st_mode)) return problem(FileProblem::Folder, Msg::CliIsFolder);
    if (S_ISFIFO(st.st_mode)) return problem(FileProblem::Device, Msg::CliIsPipe);
    if (S_ISSOCK(st.st_mode)) return problem(FileProblem::Device, Msg::CliIsSocket);
    return problem(FileProblem::Device, Msg::CliIsDevice);
}

FileError tooLarge(const std::string& path, size_t limit) {
    return error(FileProblem::TooLarge, Msg::CliCannotRead, path, message(Msg::CliTooLarge, {byteCountText(limit)}));
}

// The file's bytes, reading at most limit + 1 of them: a pipe that never ends (devices
// are refused before they are opened) stops at the limit.
std::variant<std::string, FileError> readBytes(const std::string& path, size_t limit, Pipes pipes) {
    const bool pipeAllowed = pipes == Pipes::Read;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return systemError(Msg::CliCannotRead, path, errno);
    if (auto e = notAFile(st, pipeAllowed, Msg::CliCannotRead, path)) return *e;
    if (S_ISREG(st.st_mode) && static_cast<uintmax_t>(st.st_size) > limit) return tooLarge(path, limit);
    // Opened without waiting, and looked at again: a file swapped for a pipe in between is refused too.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | (pipeAllowed ? 0 : O_NONBLOCK)));
    if (file.fd < 0) return systemError(Msg::CliCannotRead, path, errno);
    if (::fstat(file.fd, &st) != 0) return systemError(Msg::CliCannotRead, path, errno);
    if (auto e = notAFile(st, pipeAllowed, Msg::CliCannotRead, path)) return *e;
    std::string bytes;
    bytes.reserve(S_ISREG(st.st_mode) ? static_cast<size_t>(st.st_size) : limit + 1);  // a pipe never moves its bytes
    while (bytes.size() <= limit) {
        const size_t old = bytes.size();
        bytes.resize(old + std::min(kReadChunk, limit + 1 - old));
        const ssize_t n = ::read(file.fd, bytes.data() + old, bytes.size() - old);
        const int readError = errno;
        bytes.resize(old + static_cast<size_t>(std::max<ssize_t>(n, 0)));
        if (n < 0 && readError == EINTR) continue;
        if (n < 0) return systemError(Msg::CliCannotRead, path, readError);
        if (n == 0) return bytes;
    }
    return tooLarge(path, limit);
}

std::string notTextReason(NotText why) { return message(why == NotText::NulBytes ? Msg::CliNulBytes : Msg::CliNotText); }

// ---- Writing ----

// The file a path names: the target of a symbolic link, so that saving keeps the link.
std::string realTarget(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file beside `target` that no one else uses; its name is in `name`.
int createTemporary(const std::string& target, mode_t mode, std::string& name) {
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = target.substr(slash == std::string::npos ? 0 : slash + 1);
    for (int attempt = 0;; ++attempt) {
        name = folder + '.' + base + '.' + std::to_string(::getpid()) + '-' + std::to_string(attempt) + ".tmp";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST || attempt == 100) return fd;
    }
}

// The folder's entry for the renamed file on the disk too; not every file system can.
void syncFolder(const std::string& folder) {
    const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd >= 0) ::fsync(dir.fd);
}

// ---- The temporary file of the one PendingFile open, removed on a signal ----

constexpr size_t kPendingBuffer = 64 * 1024;
constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGPIPE};

volatile std::sig_atomic_t pendingNamed = 0;
char pendingName[PATH_MAX];
struct sigaction previousActions[std::size(kCleanedSignals)];

extern "C" void removePendingAndDie(int signal) {
    if (pendingNamed) ::unlink(pendingName);
    std::signal(signal, SIG_DFL);
    std::raise(signal);  // delivered, as the default ends the process, once this handler returns
}

void watchSignals(const std::string& temporary) {
    if (temporary.size() >= sizeof pendingName) return;
    temporary.copy(pendingName, temporary.size());
    pendingName[temporary.size()] = '\0';
    pendingNamed = 1;
    struct sigaction action {};
    action.sa_handler = removePendingAndDie;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < std::size(kCleanedSignals); ++i) {
        ::sigaction(kCleanedSignals[i], &action, &previousActions[i]);
        // A signal the process was told to ignore (SIGINT of a background job) stays ignored.
        if (previousActions[i].sa_handler == SIG_IGN) ::sigaction(kCleanedSignals[i], &previousActions[i], nullptr);
    }
}

void unwatchSignals() {
    if (!pendingNamed) return;
    for (size_t i = 0; i < std::size(kCleanedSignals); ++i) ::sigaction(kCleanedSignals[i], &previousActions[i], nullptr);
    pendingNamed = 0;
}

// The character at `offset` has no code in `encoding`: "the character "😀" (U+1F600) on line 3 ...".
std::string noCodeFor(TextView text, size_t offset, std::string_view encoding) {
    char32_t c = text[offset];
    size_t units = 1;
    if (c >= 0xD800 && c <= 0xDBFF && offset + 1 < text.size() && text[offset + 1] >= 0xDC00 && text[offset + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[offset + 1] - 0xDC00);
        units = 2;
    }
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    const std::vector<int32_t> starts = lineStarts(text);
    const auto line = std::upper_bound(starts.begin(), starts.end(), static_cast<int32_t>(offset)) - starts.begin();
    return message(Msg::CliNoCode, {toUtf8(Text(text.substr(offset, units))), code, std::to_string(line), encoding});
}

}  // namespace

// The system's reasons a beginner meets most, in the workbench's language; the
// rest as the system words them.
std::string systemReason(int errnum) {
    struct Reason {
        int errnum;
        Msg text;
    };
    static constexpr Reason kReasons[] = {
        {ENOENT, Msg::CliNoSuchFile}, {EACCES, Msg::CliPermissionDenied}, {ENOSPC, Msg::CliNoSpace},
        {EFBIG, Msg::CliFileTooLarge}, {EROFS, Msg::CliReadOnly},        {ENOTDIR, Msg::CliNotFolder},
    };
    for (const Reason& r : kReasons)
        if (r.errnum == errnum) return message(r.text);
    return std::strerror(errnum);
}

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

PendingFile::PendingFile(const std::string& path, Msg verb) : path_(path), target_(realTarget(path)), verb_(verb) {
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0) {
        if (auto e = notAFile(st, false, verb, path)) {
            error_ = std::move(e);
            return;
        }
        keptMode_ = st.st_mode & 07777;
    }
    fd_ = createTemporary(target_, keptMode_.value_or(0666), temporary_);
    if (fd_ < 0) {
        error_ = systemError(verb, path, errno);
        return;
    }
    watchSignals(temporary_);
    buffer_.reserve(kPendingBuffer);
}

PendingFile::~PendingFile() { discard(); }

void PendingFile::discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    ::unlink(temporary_.c_str());
    unwatchSignals();
    fd_ = -1;
}

bool PendingFile::drain() {
    if (error_) return false;
    const int e = writeAll(fd_, buffer_);
    buffer_.clear();
    if (e == 0) return true;
    error_ = systemError(verb_, path_, e);
    discard();
    return false;
}

bool PendingFile::write(std::string_view bytes) {
    if (error_) return false;
    if (buffer_.size() + bytes.size() <= kPendingBuffer) {
        buffer_ += bytes;
        return true;
    }
    if (!drain()) return false;
    if (bytes.size() < kPendingBuffer) {
        buffer_ += bytes;
        return true;
    }
    buffer_ = bytes;
    return drain();
}

bool PendingFile::commit() {
    if (!drain()) return false;
    int e = 0;
    if (keptMode_ && ::fchmod(fd_, *keptMode_) != 0) e = errno;
    if (e == 0 && ::fsync(fd_) != 0) e = errno;
    if (::close(fd_) != 0 && e == 0) e = errno;
    fd_ = -1;
    if (e == 0 && ::rename(temporary_.c_str(), target_.c_str()) != 0) e = errno;
    if (e != 0) {
        error_ = systemError(verb_, path_, e);
        ::unlink(temporary_.c_str());
    }
    unwatchSignals();
    if (e == 0) syncFolder(folderOf(target_));
    return e == 0;
}

std::optional<FileError> writeWholeFile(const std::string& path, std::string_view bytes, Msg verb) {
    PendingFile file(path, verb);
    if (file.write(bytes)) file.commit();
    return file.error();
}

std::string byteCountText(size_t bytes) {
    constexpr size_t kKiB = 1024;
    if (bytes != 0 && bytes % (kKiB * kKiB) == 0) return std::to_string(bytes / (kKiB * kKiB)) + " MiB";
    if (bytes != 0 && bytes % kKiB == 0) return std::to_string(bytes / kKiB) + " KiB";
    return message(Msg::CliBytes, {std::to_string(bytes)});
}

std::variant<SourceFile, FileError> readSourceFile(const std::string& path, size_t limit, Pipes pipes) {
    auto bytes = readBytes(path, limit, pipes);
    if (auto* e = std::get_if<FileError>(&bytes)) return std::move(*e);
    return sourceFileOf(path, std::get<std::string>(bytes), limit);
}

std::variant<SourceFile, FileError> sourceFileOf(const std::string& name, std::string_view bytes, size_t limit) {
    if (bytes.size() > limit) return tooLarge(name, limit);
    auto decoded = decodeSource(bytes);
    if (const NotText* why = std::get_if<NotText>(&decoded))
        return error(FileProblem::NotText, Msg::CliCannotRead, name, notTextReason(*why));
    auto& source = std::get<DecodedSource>(decoded);
    return SourceFile{std::move(source.text), source.format};
}

std::variant<std::string, FileError> sourceBytesOf(const std::string& name, TextView text, FileFormat format) {
    auto bytes = encodeSource(text, format);
    if (const size_t* at = std::get_if<size_t>(&bytes)) {
        return error(FileProblem::Unencodable, Msg::CliCannotSave, name, noCodeFor(text, *at, encodingName(format.encoding)));
    }
    return std::move(std::get<std::string>(bytes));
}

std::optional<FileError> writeSourceFile(const std::string& path, TextView text, FileFormat format) {
    auto bytes = sourceBytesOf(path, text, format);
    if (auto* e = std::get_if<FileError>(&bytes)) return std::move(*e);
    return writeWholeFile(path, std::get<std::string>(bytes));
}

}  // namespace comet
