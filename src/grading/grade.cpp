#include "grading/grade.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <variant>

#include <sys/stat.h>

#include "files/escape.hpp"
#include "workbench/messages.hpp"
#include "assembler/table.hpp"
#include "machine/hex.hpp"
#include "session/actions.hpp"
#include "session/debugging.hpp"
#include "session/problems.hpp"
#include "session/run_notes.hpp"
#include "grading/run_compare.hpp"
#include "files/source_file.hpp"

namespace comet {

// ---- Displays of a graded run ----

// A display with no one in front of it that keeps the last message it was given.
class QuietDisplay : public SilentDisplay {
public:
    Text lastMessage;  // the text of the last message box

    void messageBox(const Text& text, const Text&) override { lastMessage = text; }
};

namespace {

// What a faulty run did wrong, in the order it was found.
struct Fault {
    Outcome outcome;
    std::string reason;
};

// What the time limit reads: a clock checked every kClockEvery steps, so that a step
// stays cheap.
constexpr long kClockEvery = 1024;
using WallClock = std::chrono::steady_clock;

std::string secondsText(double seconds) {
    std::ostringstream text;
    text << seconds;
    return text.str();
}

// A display that plays one test case: IN takes the case's input lines in turn, each OUT
// line is checked as it comes (a line beyond the expected ones ends the run, as Cancel in
// the output box does: nothing after it can be right), the first message the engine
// shows is kept, and a run stops at the case's step limit, at its time limit, or when
// grading is stopped.
class CaseDisplay : public QuietDisplay {
public:
    CaseDisplay(const TestCase& test, bool checksOutput, const std::atomic<bool>* stop)
        : test_(test), checksOutput_(checksOutput && test.checksOutput), stop_(stop),
          deadline_(WallClock::now() + std::chrono::duration_cast<WallClock::duration>(std::chrono::duration<double>(test.timeLimit))) {}

    std::vector<Fault> faults;
    size_t outputLines = 0;      // lines written
    size_t messages = 0;         // message boxes shown
    bool timedOut = false;
    bool interrupted = false;

    void messageBox(const Text& text, const Text& title) override {
        QuietDisplay::messageBox(text, title);
        if (messages++ > 0) return;
        firstMessage_ = faults.size();
        faults.push_back({Outcome::EngineError, message(Msg::CliAtStep, {toUtf8(text), std::to_string(stepsAsked_ + 1)})});
    }
    bool okCancelBox(const Text& text, const Text&) override {
        if (!checksOutput_) return true;
        const Text line = visibleText(text);
        const size_t index = outputLines++;
        const std::string shown = message(Msg::CliOutputLineIs, {std::to_string(index + 1), quoted(line)});
        if (index >= test_.output.size()) {
            outputFault(message(Msg::CliExpectedNoMore, {shown}));
            return false;
        }
        if (!outputLineMatches(test_, index, line)) outputFault(message(Msg::CliExpectedLine, {shown, expectedLine(index)}));
        return true;
    }
    Text inputBox(const Text&) override {
        inputHadEnded_ = nextInput_ >= test_.input.size();
        return inputHadEnded_ ? Text{} : test_.input[nextInput_++];
    }
    bool inputHadEnded() const override { return inputHadEnded_; }
    bool stopRequested() override {
        if (++stepsAsked_ >= test_.maxSteps) return true;
        if (stepsAsked_ % kClockEvery != 0) return false;
        interrupted = stop_ && stop_->load(std::memory_order_relaxed);
        timedOut = !interrupted && WallClock::now() >= deadline_;
        return interrupted || timedOut;
    }

    // A run stopped by an address error has shown that error's message, the last one: when
    // it was the only one, the run showed no engine error before.
    void haltedByAddressError() {
        if (messages == 1) faults.erase(faults.begin() + static_cast<std::ptrdiff_t>(firstMessage_));
    }
    // After EXIT: the expected lines never written.
    void missingLines() {
        if (!checksOutput_) return;
        for (size_t i = outputLines; i < test_.output.size(); ++i)
            outputFault(message(Msg::CliOutputLineMissing, {std::to_string(i + 1), expectedLine(i)}));
    }
    // The first wrong line, and how many more were.
    void countWrongLines() {
        if (moreWrongLines_ == 0) return;
        faults[firstWrongLine_].reason += moreWrongLines_ == 1 ? message(Msg::CliOneMoreLine)
                                                               : message(Msg::CliMoreLines, {std::to_string(moreWrongLines_)});
    }

private:
    std::string expectedLine(size_t index) const {
        const std::string expected = quoted(test_.output[index]);
        return test_.match == OutputMatch::Regex ? message(Msg::CliLineMatching, {expected}) : expected;
    }
    void outputFault(std::string reason) {
        if (firstWrongLine_ != kNone) {
            ++moreWrongLines_;
            return;
        }
        firstWrongLine_ = faults.size();
        faults.push_back({Outcome::WrongOutput, std::move(reason)});
    }

    static constexpr size_t kNone = static_cast<size_t>(-1);
    const TestCase& test_;
    bool checksOutput_;
    const std::atomic<bool>* stop_;
    WallClock::time_point deadline_;
    size_t nextInput_ = 0;
    bool inputHadEnded_ = false;  // the last IN came after the case's input
    long stepsAsked_ = 0;  // steps after which the run went on and the display was asked
    size_t firstWrongLine_ = kNone;  // in `faults`
    size_t moreWrongLines_ = 0;
    size_t firstMessage_ = kNone;    // in `faults`
};

}  // namespace

// An assembled program, ready to run a case on a copy of its workbench.
struct Program {
    QuietDisplay display;
    Workbench wb{display};
};

namespace {

CaseResult failed(Outcome outcome, std::string reason, uint64_t steps = 0) { return {outcome, steps, {std::move(reason)}, {}, 0, {}}; }

CaseResult notRun() { return failed(Outcome::NotRun, message(Msg::CliNotRun)); }

std::string wordDiffers(const std::string& name, int32_t actual, int32_t expected) {
    if ((actual & 0xFFFF) == (expected & 0xFFFF)) return {};
    return message(Msg::CliWordAtExit, {name, toUtf8(cnvHex4(actual)), toUtf8(cnvHex4(expected))});
}

// "DATA", "DATA+1": a word of a memory expectation.
std::string placeName(const MemoryExpectation& m, size_t word) {
    const auto offset = static_cast<size_t>(m.offset) + word;
    return offset == 0 ? m.label : m.label + '+' + std::to_string(offset);
}

// Every register and memory word at EXIT that is not as the case expects.
void wrongWordsAtExit(const Workbench& wb, const TestCase& test, std::vector<Fault>& faults) {
    for (const auto& e : test.registers) {
        const auto index = std::find(kRegisterNames.begin(), kRegisterNames.end(), e.name) - kRegisterNames.begin();
        if (auto d = wordDiffers(e.name, wb.regs.r[static_cast<size_t>(index)], e.value); !d.empty()) faults.push_back({Outcome::WrongState, d});
    }
    for (const auto& m : test.memory) {
        const auto address = labelAddress(wb, fromUtf8(m.label));
        if (!address) {
            faults.push_back({Outcome::WrongState, message(Msg::CliNoLabel, {m.label})});
            continue;
        }
        for (size_t i = 0; i < m.words.size(); ++i) {
            const int64_t at = int64_t{*address} + m.offset + static_cast<int64_t>(i);
            const std::string name = placeName(m, i);
            if (at >= kCellCount - 1) faults.push_back({Outcome::WrongState, message(Msg::CliOutsideMemory, {name})});
            else if (auto d = wordDiffers(name, wb.memory.cell(at + 1).value, m.words[i]); !d.empty()) faults.push_back({Outcome::WrongState, d});
        }
    }
}

// The fault that ended a run before EXIT, if one did.
std::optional<Fault> haltFault(const Workbench& wb, const CaseDisplay& display, const TestCase& test) {
    const std::string count = std::to_string(wb.debug.press.steps);
    switch (wb.run.haltedBy) {
    case Halt::AddressError: return Fault{Outcome::AddressError, message(Msg::CliAtStep, {toUtf8(display.lastMessage), count})};
    case Halt::Stopped:
        if (display.timedOut)
            return Fault{Outcome::Timeout, message(Msg::CliTimeLimit, {secondsText(test.timeLimit)})};
        return Fault{Outcome::StepLimit, message(Msg::CliStepLimit, {count})};
    case Halt::EndlessLoop: return Fault{Outcome::EndlessLoop, toUtf8(debugStatusText(wb))};
    case Halt::OutputCancelled:  // the extra line is the fault
    case Halt::None:
    case Halt::Exit:
    case Halt::Breakpoint: break;  // a graded run has no breakpoints
    }
    return std::nullopt;
}

// The verdict on a run that has ended: every fault found, in the order the run met them.
CaseResult verdict(const Workbench& wb, CaseDisplay& display, const TestCase& test) {
    const uint64_t steps = wb.debug.press.steps;
    if (display.interrupted) return notRun();
    auto& faults = display.faults;
    if (wb.run.haltedBy == Halt::AddressError) display.haltedByAddressError();
    if (auto halt = haltFault(wb, display, test)) faults.push_back(*halt);
    else if (wb.run.haltedBy != Halt::OutputCancelled) {
        display.missingLines();
        wrongWordsAtExit(wb, test, faults);
    }
    display.countWrongLines();
    if (faults.empty()) return {Outcome::Passed, steps, {}, {}, 0, {}};
    CaseResult result{faults.front().outcome, steps, {}, {}, 0, {}};
    for (auto& f : faults) result.reasons.push_back(std::move(f.reason));
    return result;
}

}  // namespace

std::string_view outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Passed: return "passed";
    case Outcome::Unreadable: return "unreadable";
    case Outcome::AssemblerError: return "assembler-error";
    case Outcome::StepLimit: return "step-limit";
    case Outcome::Timeout: return "timeout";
    case Outcome::EndlessLoop: return "endless-loop";
    case Outcome::AddressError: return "address-error";
    case Outcome::EngineError: return "engine-error";
    case Outcome::WrongOutput: return "wrong-output";
    case Outcome::WrongState: return "wrong-state";
    case Outcome::NotRun: return "not-run";
    }
    return {};
}

std::string joinedLine(const std::vector<std::string>& texts) {
    std::string line;
    for (const auto& t : texts) line += (line.empty() ? "" : "; ") + t;
    return line;
}

std::string CaseResult::reason() const { return joinedLine(reasons); }

int SubmissionResult::points(const Exercise& exercise) const {
    int sum = 0;
    for (size_t i = 0; i < cases.size(); ++i)
        if (cases[i].outcome == Outcome::Passed) sum += exercise.cases[i].points;
    return sum;
}

std::vector<std::string> SubmissionResult::notesOf(size_t index) const {
    std::vector<std::string> notes = warnings;
    notes.insert(notes.end(), cases[index].notes.begin(), cases[index].notes.end());
    return notes;
}

size_t SubmissionResult::passed() const {
    return static_cast<size_t>(std::count_if(cases.begin(), cases.end(), [](const CaseResult& c) { return c.outcome == Outcome::Passed; }));
}

namespace {

// What tells one file from another: its device and inode where it exists, else its path made whole.
std::string fileIdentity(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) return std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino);
    std::error_code error;
    return "path:" + std::filesystem::weakly_canonical(path, error).string();
}

// A folder's entries ending in ".casl" (in any case), in the order of their names.
std::vector<std::string> caslEntries(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
        if (extension == ".casl") paths.push_back((fs::path(folder) / entry.path().filename()).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace

Submissions collectSubmissions(const std::vector<std::string>& named) {
    Submissions found;
    std::unordered_map<std::string, std::string> seen;  // identity -> the path first found
    auto add = [&](const std::string& path) {
        const auto [first, isNew] = seen.emplace(fileIdentity(path), path);
        if (isNew) found.paths.push_back(path);
        else found.notes.push_back(message(Msg::CliGradedOnce, {path, first->second}));
    };
    for (const auto& name : named) {
        std::error_code error;
        if (!std::filesystem::is_directory(name, error)) add(name);
        else
            for (const auto& path : caslEntries(name)) add(path);
    }
    return found;
}

// ---- Grader ----

Grader::Grader(const Exercise& exercise, const std::atomic<bool>* stop) : exercise_(exercise), stop_(stop) {
    if (exercise.reference.empty()) return;
    const auto source = readSourceFile(exercise.reference);
    if (const auto* error = std::get_if<FileError>(&source)) throw CaseFileError(exercise.referenceWhere + ": " + error->message);
    auto program = std::make_unique<Program>();
    if (!assembleForRun(program->wb, std::get<SourceFile>(source).text))
        throw CaseFileError(message(Msg::CliReferenceNoAsm,
                                    {exercise.referenceWhere, locatedText(exercise.reference, program->wb.diagnostics.front())}));
    reference_ = std::move(program);
    checkReference();
}

void Grader::checkReference() const {
    std::string failures;
    for (const auto& test : exercise_.cases) {
        const CaseResult result = runCase(*reference_, test);
        if (result.outcome == Outcome::Passed || result.outcome == Outcome::NotRun) continue;
        failures += (failures.empty() ? "" : "\n") + message(Msg::CliReferenceFails, {exercise_.referenceWhere, test.name, result.reason()});
    }
    if (!failures.empty()) throw CaseFileError(failures);
}

Grader::~Grader() = default;

CaseResult Grader::runCase(const Program& program, const TestCase& test) const {
    if (stop_ && stop_->load()) return notRun();
    const auto began = WallClock::now();
    CaseDisplay display(test, true, stop_);
    Workbench wb(program.wb, display);
    runToEnd(wb);
    CaseResult result = verdict(wb, display, test);
    for (const Problem& p : runProblems(wb)) result.notes.push_back(toUtf8(problemRowText(p)));
    result.seconds = std::chrono::duration<double>(WallClock::now() - began).count();
    if (reference_ && &program != reference_.get() && result.outcome != Outcome::Passed && ran(result.outcome))
        result.departure = departure(program, test);
    return result;
}

std::string Grader::departure(const Program& program, const TestCase& test) const {
    CaseDisplay mineShows(test, false, stop_), referenceShows(test, false, stop_);
    Workbench mine(program.wb, mineShows), reference(reference_->wb, referenceShows);
    const auto where = firstDeparture(mine, reference, test.maxSteps);
    return where ? message(Msg::CliDepartsAt, {toUtf8(*where)}) : message(Msg::CliSameSteps);
}

SubmissionResult Grader::grade(const std::string& path) const {
    const auto source = readSourceFile(path);
    if (const auto* error = std::get_if<FileError>(&source))
        return {path, std::vector<CaseResult>(exercise_.cases.size(), failed(Outcome::Unreadable, error->message)), {}};
    return gradeText(path, std::get<SourceFile>(source).text);
}

SubmissionResult Grader::gradeText(const std::string& name, const Text& source) const {
    SubmissionResult result{name, {}, {}};
    Program program;
    const bool assembled = assembleForRun(program.wb, source);
    for (const auto& problem : program.wb.marks.problems)
        if (problem.kind == ProblemKind::Warning) result.warnings.push_back(toUtf8(problemRowText(problem)));
    if (!assembled) {
        result.cases.assign(exercise_.cases.size(), failed(Outcome::AssemblerError, locatedText(name, program.wb.diagnostics.front())));
        return result;
    }
    for (const auto& test : exercise_.cases) result.cases.push_back(runCase(program, test));
    return result;
}

std::vector<SubmissionResult> Grader::gradeAll(const std::vector<std::string>& paths, unsigned jobs) const {
    std::vector<SubmissionResult> results(paths.size());
    std::atomic<size_t> next = 0;
    auto work = [&] {
        for (size_t i = next++; i < paths.size(); i = next++) results[i] = grade(paths[i]);
    };
    std::vector<std::thread> helpers;
    try {
        for (unsigned j = 1; j < jobs && j < paths.size(); ++j) helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // The system has no more threads to give: those started, and this one, do the work.
    }
    work();
    for (auto& helper : helpers) helper.join();
    return results;
}

}  // namespace comet
