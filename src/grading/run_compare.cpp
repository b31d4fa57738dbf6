#include "grading/run_compare.hpp"

#include <algorithm>
#include <string>

#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "machine/hex.hpp"
#include "grading/step_trace.hpp"

namespace comet {
namespace {

// One of the two runs, an "Exec" press taken a step at a time.
struct SteppedRun {
    Workbench& wb;
    StepRecorder recorder;
    StepRow row;
    bool ended = false;

    explicit SteppedRun(Workbench& w) : wb(w) {
        recorder.start(wb);
        pressBegins(wb);
    }

    // The next step; false when the run had ended, or ended fetching a word outside memory.
    bool advance() {
        if (ended) return false;
        ended = !pressGoesOn(wb);
        return recorder.take(wb, row);
    }
};

Text number(uint64_t n) { return fromAscii(std::to_string(n)); }

// What ran: the mnemonic, or the word itself when it is no instruction.
Text whatRan(const StepRow& row) {
    return row.mnemonic.empty() ? u"word " + cnvHex4(row.words[0]) : fromAscii(row.mnemonic);
}

Text writesOf(const StepRow& row) {
    if (row.writes.empty()) return u"nothing";
    Text text;
    for (const auto& w : row.writes) text += (text.empty() ? u"" : u", ") + cnvHex4(w.value) + u" at " + cnvHex4(w.address);
    return text;
}

// "MNEMONIC at PPPP": what a step ran, and where.
Text ranAt(const StepRow& row) { return whatRan(row) + u" at " + cnvHex4(row.pc); }

bool sameValuesWritten(const StepRow& a, const StepRow& b) {
    return std::equal(a.writes.begin(), a.writes.end(), b.writes.begin(), b.writes.end(),
                      [](const WordWrite& x, const WordWrite& y) { return x.value == y.value; });
}

// The first way in which a step of the run does other than the reference's same step,
// or nothing. Addresses are not compared: a program laid out otherwise keeps the same
// data at other addresses and runs the same steps.
std::optional<Text> difference(const StepRow& mine, const StepRow& ref) {
    const Text step = u"step " + number(mine.step) + u": ";
    if (mine.mnemonic != ref.mnemonic || (mine.mnemonic.empty() && mine.words[0] != ref.words[0]))
        return step + u"runs " + ranAt(mine) + u", the reference " + ranAt(ref);
    for (size_t i = 0; i < mine.registers.size(); ++i) {
        if (mine.registers[i] == ref.registers[i]) continue;
        return step + ranAt(mine) + u" leaves " + fromAscii(kRegisterNames[i]) + u" = " + cnvHex4(mine.registers[i]) +
               u", the reference " + cnvHex4(ref.registers[i]);
    }
    if (!sameValuesWritten(mine, ref)) return step + ranAt(mine) + u" writes " + writesOf(mine) + u", the reference " + writesOf(ref);
    return std::nullopt;
}

}  // namespace

std::optional<Text> firstDeparture(Workbench& run, Workbench& reference, long maxSteps) {
    SteppedRun mine(run), ref(reference);
    for (long n = 0; n < maxSteps; ++n) {
        const bool mineStepped = mine.advance();
        const bool refStepped = ref.advance();
        if (!mineStepped && !refStepped) return std::nullopt;
        if (!refStepped) return u"step " + number(mine.row.step) + u": runs " + ranAt(mine.row) + u", the reference has ended";
        if (!mineStepped) return u"step " + number(ref.row.step) + u": the run has ended, the reference runs " + ranAt(ref.row);
        if (auto d = difference(mine.row, ref.row)) return d;
    }
    return std::nullopt;
}

}  // namespace comet
