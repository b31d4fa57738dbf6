// The command line of grading:
//   comet-workbench --grade CASES [--junit FILE] [--csv FILE] [--feedback FOLDER] [--lang en|ja] [--jobs N] FILE_OR_FOLDER...
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace comet {

constexpr unsigned kMaxJobs = 256;  // submissions graded at once, at most

// Exit statuses of a grading.
enum GradeStatus : int {
    kAllPassed = 0,     // every submission passed every case
    kSomeFailed = 1,    // some case failed for some submission
    kCannotGrade = 2,   // misuse, or a case file, reference or report file that cannot be used
    kStoppedBySignal = 128,  // plus the signal's number: SIGINT or SIGTERM stopped the grading, what was graded reported
};

// Grades the submissions named in `args` (the arguments after --grade): the summary
// to `out`, problems to `err`.
GradeStatus gradeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace comet
