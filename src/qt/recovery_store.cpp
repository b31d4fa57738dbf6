#include "qt/recovery_store.hpp"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <variant>

#include "qt/qt_text.hpp"

namespace comet {

namespace {

const QString kCopyPattern = QStringLiteral("recovery-*.txt");
const QString kCopySuffix = QStringLiteral(".txt");
const QString kLockSuffix = QStringLiteral(".lock");

// A copy is written as UTF-8 whatever the document's own encoding: every character of
// the editor has a code in it.
constexpr FileFormat kCopyFormat{Encoding::Utf8, LineEnd::Lf};

QString lockFileOf(const QString& copyFile) { return copyFile.chopped(kCopySuffix.size()) + kLockSuffix; }

// A lock that a live process keeps however long it lives: only a lock whose process
// has ended is stale.
std::unique_ptr<QLockFile> lockOf(const QString& copyFile) {
    auto lock = std::make_unique<QLockFile>(lockFileOf(copyFile));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

std::optional<RecoveryCopy> readCopy(const QString& file) {
    // As large as Open reads, and no more: a copy restores no text that Open would refuse.
    const auto read = readSourceFile(nativePath(file), kOpenFileLimit, Pipes::Refuse);
    const auto* source = std::get_if<SourceFile>(&read);
    if (source == nullptr) return std::nullopt;
    return parseRecoveryText(source->text);
}

}  // namespace

QString recoveryFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery"));
}

RecoveryStore::RecoveryStore() = default;

// A window that closes normally leaves no copy behind.
RecoveryStore::~RecoveryStore() { forget(); }

std::optional<FileError> RecoveryStore::keep(const RecoveryCopy& copy) {
    if (ownFile_.isEmpty()) {
        const QString folder = recoveryFolder();
        if (!QDir().mkpath(folder)) return FileError{FileProblem::System, "cannot create " + nativePath(folder)};
        // Windows of one process share its id: each takes a number of its own.
        static int windows = 0;
        const QString file = QDir(folder).filePath(
            QStringLiteral("recovery-%1-%2").arg(QCoreApplication::applicationPid()).arg(++windows) + kCopySuffix);
        lock_ = lockOf(file);
        if (!lock_) return FileError{FileProblem::System, "cannot lock " + nativePath(lockFileOf(file))};
        ownFile_ = file;
    }
    return writeSourceFile(nativePath(ownFile_), recoveryText(copy), kCopyFormat);
}

void RecoveryStore::forget() {
    if (ownFile_.isEmpty()) return;
    QFile::remove(ownFile_);
    ownFile_.clear();
    lock_.reset();  // removes the lock file
}

std::optional<OrphanCopy> RecoveryStore::newestOrphan() {
    const QDir folder(recoveryFolder());
    for (const QFileInfo& info : folder.entryInfoList({kCopyPattern}, QDir::Files, QDir::Time)) {
        const QString file = info.absoluteFilePath();
        std::unique_ptr<QLockFile> lock = lockOf(file);
        if (!lock) continue;  // its window is still open
        auto copy = readCopy(file);
        if (!copy) {
            QFile::remove(file);  // half a copy, or none: nothing to offer
            continue;
        }
        return OrphanCopy{file, std::move(lock), std::move(*copy), info.lastModified().toMSecsSinceEpoch()};
    }
    return std::nullopt;
}

void RecoveryStore::discard(OrphanCopy& orphan) {
    QFile::remove(orphan.file);
    orphan.lock.reset();
}

}  // namespace comet
