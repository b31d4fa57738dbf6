#include "app/batch.hpp"

#include <istream>
#include <ostream>
#include <string>

#include "app/line_reader.hpp"
#include "app/trace_export.hpp"
#include "session/actions.hpp"
#include "session/debugging.hpp"
#include "session/run_notes.hpp"
#include "files/escape.hpp"
#include "files/source_file.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

// A display that is the process's standard streams.
class BatchDisplay : public Display {
public:
    BatchDisplay(long maxSteps, std::istream& in, std::ostream& out, std::ostream& err)
        : maxSteps_(maxSteps), lines_(in, kInputLineLimit), out_(out), err_(err) {}

    bool inputTooLong() const { return inputTooLong_; }
    bool inputEverEnded() const { return inputEverEnded_; }
    bool stepLimitReached() const { return steps_ >= maxSteps_; }
    long maxSteps() const { return maxSteps_; }
    bool inputHadEnded() const override { return lastInputAfterEnd_; }

    void messageBox(const Text& text, const Text&) override { err_ << toUtf8(text) << '\n'; }

    // The output box of OUT: a stream that takes no more output cancels it.
    bool okCancelBox(const Text& text, const Text&) override {
        out_ << toUtf8(visibleText(text)) << '\n';
        return out_.good();
    }

    Text inputBox(const Text&) override {
        out_.flush();  // whoever feeds the input sees the output asked for it first
        std::string line;
        const auto result = lines_.next(line);
        lastInputAfterEnd_ = result == LineReader::Result::End;
        inputEverEnded_ = inputEverEnded_ || lastInputAfterEnd_;
        if (result == LineReader::Result::TooLong) {
            err_ << "comet-workbench: " << message(Msg::CliInputLineTooLong, {byteCountText(kInputLineLimit)}) << '\n';
            inputTooLong_ = true;
        }
        return fromUtf8(line);
    }

    void runStarted() override { steps_ = 0; }

    // Asked only after a step that did not end the run by itself.
    bool stopRequested() override { return ++steps_ >= maxSteps_ || inputTooLong_; }

    void runEnded() override {}
    void focusText1() override {}
    void makeText1FirstInTabOrder() override {}
    void showViewer() override {}

private:
    long maxSteps_;
    long steps_ = 0;
    LineReader lines_;
    bool inputTooLong_ = false;
    bool lastInputAfterEnd_ = false;
    bool inputEverEnded_ = false;
    std::ostream& out_;
    std::ostream& err_;
};

// The same, with every step of the run written to a trace file as it ends (a display of
// its own, so that a run without a trace pays nothing for it).
class TracingBatchDisplay : public BatchDisplay {
public:
    TracingBatchDisplay(long maxSteps, std::istream& in, std::ostream& out, std::ostream& err, TraceFile& trace)
        : BatchDisplay(maxSteps, in, out, err), trace_(trace) {}

    void runStarted() override {
        BatchDisplay::runStarted();
        trace_.runStarted();
    }
    bool stopRequested() override {
        trace_.stepEnded();
        return BatchDisplay::stopRequested() || trace_.error();  // a trace that lost a row ends the run at once
    }
    void runEnded() override { trace_.stepEnded(); }  // the step that ended the run

private:
    TraceFile& trace_;
};

// How the run ended, with the batch run's own lines about it on `err`.
BatchStatus endOfRun(const Workbench& wb, const BatchDisplay& display, std::ostream& err) {
    if (display.inputTooLong()) return kBadInput;
    if (wb.run.haltedBy == Halt::EndlessLoop) {
        err << toUtf8(debugStatusText(wb)) << '\n';
        if (display.inputEverEnded()) err << "comet-workbench: " << message(Msg::CliInputEnded) << '\n';
    }
    if (wb.run.haltedBy == Halt::Stopped && display.stepLimitReached())
        err << "comet-workbench: "
            << (display.maxSteps() == 1 ? message(Msg::CliRunStepLimitOne)
                                        : message(Msg::CliRunStepLimit, {std::to_string(display.maxSteps())}))
            << '\n';
    return exitStatusOf(wb).value_or(kStepLimit);  // else the step limit, or a trace that failed, stopped it
}

// The batch run on a workbench made for it, shown on `display`.
BatchStatus assembleAndRun(Workbench& wb, const BatchDisplay& display, const Text& source, std::string_view file,
                           std::ostream& out, std::ostream& err) {
    const bool assembled = assembleForRun(wb, source);
    // After the messages as their boxes showed them, each again where it points with what
    // it means, then the warnings, for editors and build tools.
    const std::string shownFile = shownName(file);
    for (const Diagnostic& d : wb.diagnostics) err << locatedLines(shownFile, d);
    for (const Warning& w : wb.warnings) err << locatedLines(shownFile, w);
    if (!assembled) return kAsmErrors;
    runToEnd(wb);
    out.flush();
    const BatchStatus status = endOfRun(wb, display, err);
    for (const RunNote& n : runNotes(wb)) err << locatedNote(shownFile, n.line, n.note);
    return status;
}

}  // namespace

BatchStatus runBatch(const Text& source, std::string_view file, long maxSteps, std::istream& in, std::ostream& out,
                     std::ostream& err, TraceFile* trace) {
    if (!trace) {
        BatchDisplay display(maxSteps, in, out, err);
        Workbench wb(display);
        return assembleAndRun(wb, display, source, file, out, err);
    }
    TracingBatchDisplay display(maxSteps, in, out, err, *trace);
    Workbench wb(display);
    trace->follow(wb);
    return assembleAndRun(wb, display, source, file, out, err);
}

}  // namespace comet
