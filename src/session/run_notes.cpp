#include "session/run_notes.hpp"

#include <algorithm>
#include <string>

#include "machine/hex.hpp"
#include "workbench/messages.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

int32_t lineOfAddress(const Workbench& wb, int32_t address) {
    return isProgramAddress(address) ? wb.as.lineOfWord[static_cast<size_t>(address)] : 0;
}

// The lines of the lowest and the highest instruction a loop repeats; nothing when either
// is a word no statement made.
std::vector<RunNote> loopNotes(const Workbench& wb) {
    if (wb.run.haltedBy != Halt::EndlessLoop) return {};
    const FoundLoop& loop = wb.debug.loops.found();
    const int32_t first = lineOfAddress(wb, loop.low);
    const int32_t last = lineOfAddress(wb, loop.high);
    if (first == 0 || last == 0) return {};
    if (first == last) return {{first, {Msg::LoopLine, {std::to_string(first)}}}};
    return {{first, {Msg::LoopLines, {std::to_string(first), std::to_string(last)}}}};
}

}  // namespace

std::vector<RunNote> runNotes(const Workbench& wb) {
    std::vector<RunNote> notes;
    for (const RunFault& f : wb.run.faults)
        for (const Note& n : f.notes) {
            const RunNote note{f.line, n};
            if (std::find(notes.begin(), notes.end(), note) == notes.end()) notes.push_back(note);
        }
    for (RunNote& n : loopNotes(wb)) notes.push_back(std::move(n));
    return notes;
}

std::vector<Problem> runProblems(const Workbench& wb) {
    std::vector<Problem> rows;
    for (const RunNote& n : runNotes(wb)) {
        const Text text = fromUtf8(noteText(n.note));
        rows.push_back({ProblemKind::Run, n.line, 1, 1, text, text, {}});
    }
    return rows;
}

Text explainedStatus(const Workbench& wb, Text account) {
    if (wb.status.phase != ExecStatus::Done) return account;
    const std::vector<RunNote> notes = runNotes(wb);
    if (notes.empty()) return account;
    return messageText(Msg::StatusExplained, {toUtf8(account), noteText(notes.front().note)});
}

Text execStartText(const Workbench& wb) {
    const int32_t start = boxValue(wb, kPcBox);
    if (wb.marks.lineNow.empty() || start == 0) return {};
    return messageText(Msg::ExecStartsAt, {toUtf8(cnvHex4(start))});
}

}  // namespace comet
