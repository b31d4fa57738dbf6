// The trace of a batch run written to a file as the steps happen: one row per step,
// as CSV, or as JSON when the file's name ends in ".json". Nothing of it is kept in
// memory, so a run of millions of steps is traced whole.
#pragma once

#include <fstream>
#include <string>

#include "grading/step_trace.hpp"

namespace comet {

class TraceFile {
public:
    explicit TraceFile(const std::string& path);  // creates the file; see problem()
    const std::string& problem() const { return problem_; }  // why the file cannot be written; "" while it can

    void follow(Workbench& wb);  // the workbench whose runs it writes
    void runStarted();                 // a run of it begins
    void stepEnded();                  // after every step of the run, and once when it has ended
    bool finish();                     // ends and closes the file; false, with problem(), when writing failed

private:
    Workbench* wb_ = nullptr;
    std::ofstream file_;
    std::string problem_;
    bool json_ = false;
    bool anyRow_ = false;
    StepRecorder recorder_;
    StepRow row_;
};

}  // namespace comet
