// Grading a class: every submission run against every case of an exercise. Each
// submission is graded on its own (its own workbenches, nothing shared), so the
// submissions are graded in parallel, and a class can as well be split over machines.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
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
    Timeout,         // the case's time limit was reached without EXIT
    EndlessLoop,     // the machine came back to an earlier state: the program can never end
    AddressError,    // the run stopped on an access outside memory
    EngineError,     // the engine showed a message (a word that is no instruction, a bad register, a push error)
    WrongOutput,     // an output line differs from the expected one, or is missing or extra
    WrongState,      // a register or a labelled word at EXIT differs from the expected value
    NotRun,          // grading was interrupted before the case had run
};

// The outcome's name in the CSV and JUnit files: "passed", "step-limit", ...
std::string_view outcomeName(Outcome outcome);

// True for the outcomes of a submission that could not be run at all (unreadable,
// assembler error), which every case of it shares: errors rather than failures.
constexpr bool isError(Outcome outcome) { return outcome == Outcome::Unreadable || outcome == Outcome::AssemblerError; }
// False for the outcomes of a case that never ran.
constexpr bool ran(Outcome outcome) { return !isError(outcome) && outcome != Outcome::NotRun; }

// The texts as one line, joined by "; ".
std::string joinedLine(const std::vector<std::string>& texts);

struct CaseResult {
    Outcome outcome = Outcome::Passed;
    uint64_t steps = 0;                // steps the run took
    std::vector<std::string> reasons;  // every fault found, the one `outcome` names first; none when it passed
    std::string departure;             // where the run first departs from the reference's; "" when not compared
    double seconds = 0;                // wall-clock time of the run
    std::vector<std::string> notes;    // what went wrong in the run, as the problem list's Run section shows it ("6:1  run: ...")
    std::string reason() const;        // the reasons as one line, joined by "; "
};

struct SubmissionResult {
    std::string name;                   // the submission's path as found
    std::vector<CaseResult> cases;      // in the order of the case file
    std::vector<std::string> warnings;  // the assembler's warnings, as the problem list shows them ("3:1  warning: ...")
    // The warnings, then the run-time notes of case `index`: what a CI report shows beside its result.
    std::vector<std::string> notesOf(size_t index) const;
    size_t passed() const;          // cases passed
    int points(const Exercise& exercise) const;  // the points of the cases passed
};

// ---- Grading ----------------------------------------------------------------------

struct Submissions {
    std::vector<std::string> paths;
    std::vector<std::string> notes;  // "b.casl is the same file as a.casl: graded once"
};

// The submissions named on the command line: a file as it is, a folder's entries whose
// names end in ".casl" (in any case; a folder among them is kept, to be reported as
// unreadable), in the order of their names. A file named twice is kept once.
Submissions collectSubmissions(const std::vector<std::string>& named);

struct Program;  // an assembled program, ready to run a case

class Grader {
public:
    // Reads and assembles the exercise's reference solution, if it names one, and runs it
    // against every case; throws CaseFileError, naming the case file's `reference` line,
    // when it cannot be read or assembled or fails a case (each such case named).
    // Once `stop` is set, no case starts and a run going on ends, as not run.
    explicit Grader(const Exercise& exercise, const std::atomic<bool>* stop = nullptr);
    ~Grader();

    SubmissionResult grade(const std::string& path) const;
    // The program in an editor, as a student checks it before handing it in; `name`
    // names it in the results.
    SubmissionResult gradeText(const std::string& name, const Text& source) const;
    // Every submission, `jobs` at a time, each on a thread of its own; in the order given.
    std::vector<SubmissionResult> gradeAll(const std::vector<std::string>& paths, unsigned jobs) const;

private:
    CaseResult runCase(const Program& program, const TestCase& test) const;
    std::string departure(const Program& program, const TestCase& test) const;
    void checkReference() const;

    const Exercise& exercise_;
    const std::atomic<bool>* stop_;
    std::unique_ptr<Program> reference_;  // none when the exercise names no reference
};

}  // namespace comet
