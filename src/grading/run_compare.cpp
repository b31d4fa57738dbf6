#include "grading/run_compare.hpp"

#include <algorithm>
#include <map>
#include <optional>
#include <string>

#include "emulator/engine.hpp"
#include "emulator/run_loop.hpp"
#include "machine/hex.hpp"
#include "grading/step_trace.hpp"
#include "workbench/messages.hpp"

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

std::string hex(int32_t word) { return toUtf8(cnvHex4(word)); }

// What ran: the mnemonic, or the word itself when it is no instruction.
std::string whatRan(const StepRow& row) {
    return row.mnemonic.empty() ? message(Msg::CliWordRan, {hex(row.words[0])}) : std::string(row.mnemonic);
}

std::string writesOf(const StepRow& row) {
    if (row.writes.empty()) return message(Msg::CliNothingWritten);
    std::string text;
    for (const auto& w : row.writes) text += (text.empty() ? "" : ", ") + message(Msg::CliWroteAt, {hex(w.value), hex(w.address)});
    return text;
}

// "MNEMONIC at PPPP": what a step ran, and where.
std::string ranAt(const StepRow& row) { return message(Msg::CliRanAt, {whatRan(row), hex(row.pc)}); }

Text atStep(uint64_t step, const std::string& what) { return messageText(Msg::CliStepIs, {std::to_string(step), what}); }

// Where a program's labels lie, so that an address in one program can be told from the
// same place in another laid out otherwise: LAD GR4,STACK leaves another value when a
// word more comes before STACK, and it is still the same place.
class Layout {
public:
    explicit Layout(const Workbench& wb) {
        for (int i = kReservedRows + 1; i <= wb.table.count; ++i) {
            const TableRow& row = wb.table.rows[static_cast<size_t>(i)];
            if (row.defined != 1) continue;
            Text name = row.name;
            for (auto& c : name) c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
            byAddress_.emplace(row.value, name);
            byName_.emplace(std::move(name), row.value);
        }
    }

    // True when `value` here lies as far from a label as `other` does from the label of the
    // same name in `there`: the nearest such label at or below `value` (data after a
    // label), or above it (a stack that grows down from its label). Both must be
    // addresses in memory.
    bool samePlace(int32_t value, const Layout& there, int32_t other) const {
        if (!inMemory(value) || !inMemory(other)) return false;
        auto sameOffset = [&](const std::pair<const int32_t, Text>& label) {
            const auto match = there.byName_.find(label.second);
            if (match == there.byName_.end()) return std::optional<bool>();  // a label of this program only
            return std::optional<bool>(other - match->second == value - label.first);
        };
        for (auto it = byAddress_.upper_bound(value); it != byAddress_.begin();)
            if (const auto same = sameOffset(*--it)) {
                if (*same) return true;
                break;
            }
        for (auto it = byAddress_.upper_bound(value); it != byAddress_.end(); ++it)
            if (const auto same = sameOffset(*it)) return *same;
        return false;
    }

private:
    static bool inMemory(int32_t address) { return address >= 0 && address < kCellCount - 1; }

    std::multimap<int32_t, Text> byAddress_;
    std::map<Text, int32_t> byName_;
};

// The two layouts side by side: values equal, or the same place in each.
struct Layouts {
    Layout mine, ref;
    bool same(int32_t a, int32_t b) const { return a == b || mine.samePlace(a, ref, b) || ref.samePlace(b, mine, a); }
};

bool sameValuesWritten(const StepRow& a, const StepRow& b, const Layouts& layouts) {
    return std::equal(a.writes.begin(), a.writes.end(), b.writes.begin(), b.writes.end(),
                      [&](const WordWrite& x, const WordWrite& y) { return layouts.same(x.value, y.value); });
}

// The first way in which a step of the run does other than the reference's same step,
// or nothing. Addresses are not compared, and values only as places when they are the
// same place in each program's layout: a program laid out otherwise keeps the same data
// at other addresses and runs the same steps.
std::optional<Text> difference(const StepRow& mine, const StepRow& ref, const Layouts& layouts) {
    if (mine.mnemonic != ref.mnemonic || (mine.mnemonic.empty() && mine.words[0] != ref.words[0]))
        return atStep(mine.step, message(Msg::CliRunsOther, {ranAt(mine), ranAt(ref)}));
    for (size_t i = 0; i < mine.registers.size(); ++i) {
        if (layouts.same(mine.registers[i], ref.registers[i])) continue;
        return atStep(mine.step, message(Msg::CliLeaves, {ranAt(mine), kRegisterNames[i], hex(mine.registers[i]), hex(ref.registers[i])}));
    }
    if (!sameValuesWritten(mine, ref, layouts))
        return atStep(mine.step, message(Msg::CliWrites, {ranAt(mine), writesOf(mine), writesOf(ref)}));
    return std::nullopt;
}

}  // namespace

std::optional<Text> firstDeparture(Workbench& run, Workbench& reference, long maxSteps) {
    const Layouts layouts{Layout(run), Layout(reference)};
    SteppedRun mine(run), ref(reference);
    for (long n = 0; n < maxSteps; ++n) {
        const bool mineStepped = mine.advance();
        const bool refStepped = ref.advance();
        if (!mineStepped && !refStepped) return std::nullopt;
        if (!refStepped) return atStep(mine.row.step, message(Msg::CliReferenceEnded, {ranAt(mine.row)}));
        if (!mineStepped) return atStep(ref.row.step, message(Msg::CliRunEnded, {ranAt(ref.row)}));
        if (auto d = difference(mine.row, ref.row, layouts)) return d;
    }
    return std::nullopt;
}

}  // namespace comet
