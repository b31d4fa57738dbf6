// Grading a class: every submission run against every case of an exercise. Each
// submission is graded on its own (its own workbenches, nothing shared), so the
// submissions are graded in parallel, and a class can as well be split over machines.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grading/cases.hpp"

namespace comet {

// ---- Results ----------------------------------------------------------------------

// How a case ended for a submission.
enum class Outcome : uint8_t {
    Passed,
    Unreadable,      // the file cannot be read or is not text
    AssemblerError,  // the assembler reported an error; nothing ran
    StepLimit,       // the case's step limit was reached without EXIT
    EndlessLoop,     // the machine came back to an earlier state: the program can never end
    AddressError,    // the run stopped on an access outside memory
    WrongOutput,     // an output line differs from the expected one, or is missing or extra
    WrongState,      // a register or a labelled word at EXIT differs from the expected value
};

// The outcome's name in the CSV and JUnit files: "passed", "step-limit", ...
std::string_view outcomeName(Outcome outcome);

// False for the outcomes of a submission that never ran (unreadable, assembler error),
// which every case of it shares.
constexpr bool ran(Outcome outcome) { return outcome != Outcome::Unreadable && outcome != Outcome::AssemblerError; }

struct CaseResult {
    Outcome outcome = Outcome::Passed;
    uint64_t steps = 0;     // steps the run took
    std::string reason;     // why the case failed; "" when it passed
    std::string departure;  // where the run first departs from the reference's; "" when not compared
};

struct SubmissionResult {
    std::string name;               // the submission's path as found
    std::vector<CaseResult> cases;  // in the order of the case file
    std::vector<std::string> warnings;  // what its assembly passed in silence: "LINE:COLUMN: text"
    size_t passed() const;          // cases passed
};

// ---- Grading ----------------------------------------------------------------------

// The submissions named on the command line: a file as it is, a folder's files whose
// names end in ".casl" (in any case), in the order of their names.
std::vector<std::string> collectSubmissions(const std::vector<std::string>& named);

struct Program;  // an assembled program, ready to run a case

class Grader {
public:
    // Reads and assembles the exercise's reference solution, if it names one; throws
    // CaseFileError, naming the case file's `reference` line, when that fails.
    explicit Grader(const Exercise& exercise);
    ~Grader();

    SubmissionResult grade(const std::string& path) const;
    // Every submission, `jobs` at a time, each on a thread of its own; in the order given.
    std::vector<SubmissionResult> gradeAll(const std::vector<std::string>& paths, unsigned jobs) const;

private:
    CaseResult runCase(const Program& program, const TestCase& test) const;
    std::string departure(const Program& program, const TestCase& test) const;

    const Exercise& exercise_;
    std::unique_ptr<Program> reference_;  // none when the exercise names no reference
};

}  // namespace comet
