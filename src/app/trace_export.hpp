// The trace of a batch run written to a file as the steps happen: one row per step,
// as CSV, or as JSON when the file's name ends in ".json". Nothing of it is kept in
// memory, so a run of millions of steps is traced whole; the file appears, whole, only
// when the run has ended, and a trace that cannot be written ends the run at once.
#pragma once

#include <optional>
#include <string>

#include "files/source_file.hpp"
#include "grading/step_trace.hpp"

namespace comet {

class TraceFile {
public:
    explicit TraceFile(const std::string& path);  // creates the file's temporary; see error()
    const std::optional<FileError>& error() const { return file_.error(); }  // why writing failed; nothing while it works

    void follow(Workbench& wb);  // the workbench whose runs it writes
    void runStarted();           // a run of it begins
    void stepEnded();            // after every step of the run, and once when it has ended
    bool finish();               // ends the file and puts it in place; false, with error(), when it cannot

private:
    Workbench* wb_ = nullptr;
    PendingFile file_;
    bool json_ = false;
    bool anyRow_ = false;
    StepRecorder recorder_;
    StepRow row_;
};

}  // namespace comet
