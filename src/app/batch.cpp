#include "app/batch.hpp"

#include <istream>
#include <ostream>
#include <string>

#include "emulator/engine.hpp"
#include "ui/mainwindow.hpp"

namespace comet {
namespace {

// A display that is the process's standard streams.
class BatchDisplay : public Display {
public:
    BatchDisplay(long maxSteps, std::istream& in, std::ostream& out, std::ostream& err)
        : maxSteps_(maxSteps), in_(in), out_(out), err_(err) {}

    int messages = 0;            // message boxes shown so far
    bool stepLimitHit = false;  // the run was stopped after maxSteps steps

    void messageBox(const Text& text, const Text&) override {
        ++messages;
        err_ << toUtf8(text) << '\n';
    }

    // The output box of OUT: characters of code 0 are not written.
    bool okCancelBox(const Text& text, const Text&) override {
        Text shown = text;
        std::erase(shown, u'\0');
        out_ << toUtf8(shown) << '\n';
        return true;
    }

    Text inputBox(const Text&) override {
        out_.flush();  // whoever feeds the input sees the output asked for it first
        std::string line;
        if (!std::getline(in_, line)) return {};
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return fromUtf8(line);
    }

    void runStarted() override { steps_ = 0; }

    // Asked only after a step that did not end the run by itself.
    bool stopRequested() override {
        if (++steps_ < maxSteps_) return false;
        stepLimitHit = true;
        return true;
    }

    void runEnded() override {}
    void focusText1() override {}
    void makeText1FirstInTabOrder() override {}
    void showViewer() override {}

private:
    long maxSteps_;
    long steps_ = 0;
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace

Text editorText(const Text& file) {
    Text text;
    text.reserve(file.size() + file.size() / 16);
    for (size_t i = 0; i < file.size(); ++i) {
        if (file[i] == u'\n' && (i == 0 || file[i - 1] != u'\r')) text += u'\r';
        text += file[i];
    }
    return text;
}

BatchStatus runBatch(const Text& source, long maxSteps, std::istream& in, std::ostream& out, std::ostream& err) {
    Workbench wb;
    BatchDisplay display(maxSteps, in, out, err);
    wb.display = &display;
    Form_Load(wb);
    userSetsSource(wb, source);
    Command1_Click(wb);
    if (display.messages > 0) return kAsmErrors;
    Label3_Click(wb);  // Run Mode; the PC box still shows 0000
    Command2_Click(wb);
    out.flush();
    if (wb.run.addressFault) return kAddressFault;
    if (display.stepLimitHit) return kStepLimit;
    return kRanExit;
}

}  // namespace comet
