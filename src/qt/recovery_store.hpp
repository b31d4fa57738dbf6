// Where the window keeps its recovery copy: a file in the user's data folder
// (QStandardPaths, e.g. ~/.local/share/comet-workbench/), one per open window, locked
// while the window lives. A copy whose lock no live process holds was left by a
// workbench that crashed or was killed; the next start offers it back.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>
#include <optional>

#include "files/document.hpp"
#include "files/source_file.hpp"

namespace comet {

// A copy left by a workbench that has ended, locked by this process until it is let go.
struct OrphanCopy {
    QString file;                     // the copy's own file
    std::unique_ptr<QLockFile> lock;  // held while the copy is offered
    RecoveryCopy copy;
    qint64 modified = 0;  // when it was written, in ms since the epoch
};

class RecoveryStore {
public:
    RecoveryStore();  // the folder is found when a copy is first kept or looked for
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    std::optional<FileError> keep(const RecoveryCopy& copy);  // writes (or rewrites) this window's copy
    void forget();                                            // removes this window's copy, if any
    bool kept() const { return !ownFile_.isEmpty(); }
    QString ownFile() const { return ownFile_; }

    // The newest copy left by a workbench that has ended, locked for this process.
    static std::optional<OrphanCopy> newestOrphan();
    static void discard(OrphanCopy& orphan);  // removes it and its lock

private:
    QString ownFile_;                   // this window's copy, once written
    std::unique_ptr<QLockFile> lock_;  // held while this window lives
};

// The folder of the recovery copies: "recovery" in the program's data folder.
QString recoveryFolder();

}  // namespace comet
