#include "grading/step_trace.hpp"

#include "machine/hex.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// The address the engine ran a step at, read from the PC box as the step saw it.
int32_t pcOf(const TraceStep& step) {
    const bool asText = (step.n.textBoxes & 1u) != 0;  // box 0: the PC box
    return asText ? readBoxValue(step.texts[0]) : step.n.boxes[0];
}

std::string hex4(int32_t value) { return toUtf8(cnvHex4(value)); }

// The parts of a row both formats write as text: words, operand and register field.
struct RowTexts {
    std::string words, operand, registerNo;
    explicit RowTexts(const StepRow& row) {
        words = hex4(row.words[0]);
        if (row.wordCount == 2) words += ' ' + hex4(row.words[1]);
        if (row.detail != TraceStep::None) operand = hex4(row.operand);
        if (row.detail == TraceStep::Effective) registerNo = std::to_string(row.registerNo);
    }
};

}  // namespace

std::string_view mnemonicOf(int32_t word) {
    if (word == kExitWord) return "EXIT";
    if (word == kRetWord) return "RET";
    const auto operation = operationOf(opcodeField(word));
    return operation && operation->words != 1 ? operation->name : std::string_view{};
}

// ---- Making rows as a run goes ----

void StepRecorder::start(Workbench& wb) {
    for (int c = 0; c < kCellCount; ++c) memory_[static_cast<size_t>(c)] = wb.memory.cell(c).value;
    wb.memory.takeWritten();
    firstStep_ = taken_ = wb.run.history.steps();
}

bool StepRecorder::take(Workbench& wb, StepRow& row) {
    const TraceLog& history = wb.run.history;
    if (history.steps() == taken_) return false;  // the run ended fetching a word outside memory
    taken_ = history.steps();
    const TraceStep* step = history.step(taken_ - 1);
    if (!step) return false;  // the history has not been asked after every step
    row.step = taken_ - firstStep_;
    row.pc = pcOf(*step);
    const auto cell = static_cast<size_t>(row.pc + 1);
    const int32_t first = memory_[cell];
    const bool oneWord = first == kExitWord || first == kRetWord || cell + 1 >= memory_.size();
    row.wordCount = oneWord ? 1 : 2;
    row.words = {first, oneWord ? 0 : memory_[cell + 1]};
    row.mnemonic = mnemonicOf(first);
    row.detail = step->n.detail;
    row.operand = step->n.operand;
    row.registerNo = step->n.registerNo;
    row.registers = wb.regs.r;
    row.writes.clear();
    const auto written = wb.memory.takeWritten();
    for (int c = 0; c < kCellCount; ++c) {
        if (!written[static_cast<size_t>(c)]) continue;
        const int32_t value = wb.memory.cell(c).value;
        row.writes.push_back({c - 1, value});
        memory_[static_cast<size_t>(c)] = value;
    }
    return true;
}

// ---- Written out ----

std::string_view traceCsvHeader() { return "step,pc,words,mnemonic,address,register,gr0,gr1,gr2,gr3,gr4,fr,writes\n"; }

std::string traceCsvLine(const StepRow& row) {
    const RowTexts texts(row);
    std::string line = std::to_string(row.step) + ',' + hex4(row.pc) + ',' + texts.words + ',';
    line.append(row.mnemonic);
    line += ',' + texts.operand + ',' + texts.registerNo;
    for (const int32_t r : row.registers) line += ',' + hex4(r);
    line += ',';
    for (size_t i = 0; i < row.writes.size(); ++i) {
        if (i > 0) line += ' ';
        line += hex4(row.writes[i].address) + '=' + hex4(row.writes[i].value);
    }
    line += '\n';
    return line;
}

std::string traceJsonLine(const StepRow& row) {
    const RowTexts texts(row);
    auto quoted = [](std::string_view s) { return '"' + std::string(s) + '"'; };
    auto orNull = [&](const std::string& s) { return s.empty() ? std::string("null") : quoted(s); };
    std::string line = "{\"step\":" + std::to_string(row.step) + ",\"pc\":" + quoted(hex4(row.pc)) + ",\"words\":[";
    line += quoted(hex4(row.words[0]));
    if (row.wordCount == 2) line += ',' + quoted(hex4(row.words[1]));
    line += "],\"mnemonic\":" + quoted(row.mnemonic) + ",\"address\":" + orNull(texts.operand);
    line += ",\"register\":" + (texts.registerNo.empty() ? std::string("null") : texts.registerNo) + ",\"registers\":{";
    for (size_t i = 0; i < row.registers.size(); ++i) {
        if (i > 0) line += ',';
        line += quoted(kRegisterNames[i]) + ':' + quoted(hex4(row.registers[i]));
    }
    line += "},\"writes\":[";
    for (size_t i = 0; i < row.writes.size(); ++i) {
        if (i > 0) line += ',';
        line += "{\"address\":" + quoted(hex4(row.writes[i].address)) + ",\"value\":" + quoted(hex4(row.writes[i].value)) + '}';
    }
    line += "]}";
    return line;
}

}  // namespace comet
