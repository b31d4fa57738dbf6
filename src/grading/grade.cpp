#include "grading/grade.hpp"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <system_error>
#include <thread>
#include <variant>

#include "files/escape.hpp"
#include "assembler/table.hpp"
#include "emulator/engine.hpp"
#include "machine/hex.hpp"
#include "session/actions.hpp"
#include "session/debugging.hpp"
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

// A display that plays one test case: IN takes the case's input lines in turn, each
// OUT line is checked as it comes (the first one wrong ends the run, as Cancel in the
// output box does), and a run stops at the case's step limit.
class CaseDisplay : public QuietDisplay {
public:
    CaseDisplay(const TestCase& test, bool checksOutput) : test_(test), checksOutput_(checksOutput && test.checksOutput) {}

    std::string outputFault;  // why the output is wrong, once a line was
    size_t outputLines = 0;   // lines written and found right

    bool okCancelBox(const Text& text, const Text&) override {
        if (!checksOutput_) return true;
        const Text line = visibleText(text);
        const std::string shown = "output line " + std::to_string(outputLines + 1) + " is " + quoted(line);
        if (outputLines >= test_.output.size()) outputFault = shown + ", expected no more output";
        else if (line != test_.output[outputLines]) outputFault = shown + ", expected " + quoted(test_.output[outputLines]);
        else ++outputLines;
        return outputFault.empty();
    }
    Text inputBox(const Text&) override { return nextInput_ < test_.input.size() ? test_.input[nextInput_++] : Text{}; }
    bool stopRequested() override { return ++stepsAsked_ >= test_.maxSteps; }

private:
    const TestCase& test_;
    bool checksOutput_;
    size_t nextInput_ = 0;
    long stepsAsked_ = 0;  // steps after which the run went on and the display was asked
};

}  // namespace

// An assembled program, ready to run a case on a copy of its workbench.
struct Program {
    QuietDisplay display;
    Workbench wb{display};
};

namespace {

CaseResult failed(Outcome outcome, std::string reason, uint64_t steps = 0) { return {outcome, steps, std::move(reason), {}}; }

// The first register or labelled word at EXIT that is not as the case expects; "" when all are.
std::string wrongWordAtExit(const Workbench& wb, const TestCase& test) {
    auto differs = [](const std::string& name, int32_t actual, int32_t expected) {
        if ((actual & 0xFFFF) == (expected & 0xFFFF)) return std::string();
        return name + " is " + toUtf8(cnvHex4(actual)) + " at EXIT, expected " + toUtf8(cnvHex4(expected));
    };
    for (const auto& e : test.registers) {
        const auto index = std::find(kRegisterNames.begin(), kRegisterNames.end(), e.name) - kRegisterNames.begin();
        if (auto d = differs(e.name, wb.regs.r[static_cast<size_t>(index)], e.value); !d.empty()) return d;
    }
    for (const auto& e : test.labels) {
        const auto address = labelAddress(wb, fromUtf8(e.name));
        if (!address) return "no label " + e.name + " in the program";
        if (auto d = differs(e.name, wb.memory.cell(int64_t{*address} + 1).value, e.value); !d.empty()) return d;
    }
    return {};
}

// The verdict on a run that has ended, by what ended it.
CaseResult verdict(const Workbench& wb, const CaseDisplay& display, const TestCase& test) {
    const uint64_t steps = wb.debug.press.steps;
    const std::string count = std::to_string(steps);
    switch (wb.run.haltedBy) {
    case Halt::OutputCancelled: return failed(Outcome::WrongOutput, display.outputFault, steps);
    case Halt::AddressError: return failed(Outcome::AddressError, toUtf8(display.lastMessage) + " at step " + count, steps);
    case Halt::Stopped: return failed(Outcome::StepLimit, "step limit reached: " + count + " steps without EXIT", steps);
    case Halt::EndlessLoop: return failed(Outcome::EndlessLoop, toUtf8(debugStatusText(wb)), steps);
    case Halt::None:
    case Halt::Exit:
    case Halt::Breakpoint: break;  // a graded run has no breakpoints
    }
    if (display.outputLines < test.output.size())
        return failed(Outcome::WrongOutput,
                      "output line " + std::to_string(display.outputLines + 1) + " is missing, expected " +
                          quoted(test.output[display.outputLines]),
                      steps);
    if (auto wrong = wrongWordAtExit(wb, test); !wrong.empty()) return failed(Outcome::WrongState, wrong, steps);
    return {Outcome::Passed, steps, {}, {}};
}

}  // namespace

std::string_view outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Passed: return "passed";
    case Outcome::Unreadable: return "unreadable";
    case Outcome::AssemblerError: return "assembler-error";
    case Outcome::StepLimit: return "step-limit";
    case Outcome::EndlessLoop: return "endless-loop";
    case Outcome::AddressError: return "address-error";
    case Outcome::WrongOutput: return "wrong-output";
    case Outcome::WrongState: return "wrong-state";
    }
    return {};
}

size_t SubmissionResult::passed() const {
    return static_cast<size_t>(std::count_if(cases.begin(), cases.end(), [](const CaseResult& c) { return c.outcome == Outcome::Passed; }));
}

std::vector<std::string> collectSubmissions(const std::vector<std::string>& named) {
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    for (const auto& name : named) {
        std::error_code error;
        if (!fs::is_directory(name, error)) {
            paths.push_back(name);
            continue;
        }
        std::vector<std::string> inFolder;
        for (const auto& entry : fs::directory_iterator(name, error)) {
            std::string extension = entry.path().extension().string();
            std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
            if (extension == ".casl" && !entry.is_directory(error)) inFolder.push_back((fs::path(name) / entry.path().filename()).string());
        }
        std::sort(inFolder.begin(), inFolder.end());
        paths.insert(paths.end(), inFolder.begin(), inFolder.end());
    }
    return paths;
}

// ---- Grader ----

Grader::Grader(const Exercise& exercise) : exercise_(exercise) {
    if (exercise.reference.empty()) return;
    const auto source = readSourceFile(exercise.reference);
    if (const auto* error = std::get_if<FileError>(&source)) throw CaseFileError(exercise.referenceWhere + ": " + error->message);
    auto program = std::make_unique<Program>();
    if (!assembleForRun(program->wb, std::get<SourceFile>(source).text))
        throw CaseFileError(exercise.referenceWhere + ": the reference does not assemble: " +
                            locatedText(exercise.reference, program->wb.diagnostics.front()));
    reference_ = std::move(program);
}

Grader::~Grader() = default;

CaseResult Grader::runCase(const Program& program, const TestCase& test) const {
    CaseDisplay display(test, true);
    Workbench wb(program.wb, display);
    Command2_Click(wb);
    CaseResult result = verdict(wb, display, test);
    if (reference_ && result.outcome != Outcome::Passed && ran(result.outcome)) result.departure = departure(program, test);
    return result;
}

std::string Grader::departure(const Program& program, const TestCase& test) const {
    CaseDisplay mineShows(test, false), referenceShows(test, false);
    Workbench mine(program.wb, mineShows), reference(reference_->wb, referenceShows);
    const auto where = firstDeparture(mine, reference, test.maxSteps);
    return where ? "first departs from the reference at " + toUtf8(*where) : "takes the same steps as the reference";
}

SubmissionResult Grader::grade(const std::string& path) const {
    SubmissionResult result{path, {}, {}};
    const auto source = readSourceFile(path);
    Program program;
    std::optional<CaseResult> sameForAll;
    if (const auto* error = std::get_if<FileError>(&source)) sameForAll = failed(Outcome::Unreadable, error->message);
    else if (!assembleForRun(program.wb, std::get<SourceFile>(source).text))
        sameForAll = failed(Outcome::AssemblerError, locatedText(path, program.wb.diagnostics.front()));
    for (const auto& test : exercise_.cases) result.cases.push_back(sameForAll ? *sameForAll : runCase(program, test));
    for (const Warning& w : program.wb.warnings)
        result.warnings.push_back(std::to_string(w.where.line) + ':' + std::to_string(w.where.column) + ": " + noteText(w.text));
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
