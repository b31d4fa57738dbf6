#include "emulator/engine.hpp"

#include <cmath>
#include <string>

#include "emulator/memory_access.hpp"
#include "emulator/stdio.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// v * 2^n rounded to the nearest integer, ties to even, wrapped to 32 bits.
int64_t scaleRounded(int64_t v, int32_t n) { return static_cast<int64_t>(std::nearbyint(std::ldexp(static_cast<double>(v), n))); }


// Instruction words must lie at addresses 0..199, while data may also use cell 0 (address -1).
bool fetchWord(Workbench& wb, int64_t a, int32_t& value) {
    if (!isProgramAddress(a)) {
        addressError(wb, a);
        return false;
    }
    value = wb.memory.cell(a + 1).value;
    return true;
}

// Repeats a one-bit right shift n times, stopping early at the fixed point every value reaches.
template <class OneBit>
int32_t shiftRightRepeated(int32_t v, int32_t n, OneBit oneBit) {
    for (int32_t i = 0; i < n; ++i) {
        const int32_t next = oneBit(v);
        if (next == v) break;
        v = next;
    }
    return v;
}

bool hasSignPart(int32_t v) { return (static_cast<uint32_t>(v) & 0xFFFF8000u) != 0; }

// Carries out the operation of a decoded two-word instruction; false on an address fault.
bool performOperation(Workbench& wb, int opcode, int g, int32_t e) {
    auto& r = wb.regs.r;
    int32_t& reg = r[static_cast<size_t>(g)];
    auto& run = wb.run;
    // The machine's instruction table decides what runs; RET and EXIT exist only as their exact words.
    const ReservedWord* operation = operationOf(opcode);
    if (!operation || operation->words == 1) {
        report(wb, DiagKind::BadOpcode);
        return true;
    }
    int32_t m = 0;
    auto memoryOperand = [&] { return readWord(wb, e, m); };
    auto setFromReg = [&] { emSetFR(wb, reg); };
    switch (opcode) {
    case op::LD: if (!memoryOperand()) return false; reg = m; return true;
    case op::ST: return writeWord(wb, e, reg);
    case op::LEA: reg = e; setFromReg(); return true;
    case op::ADD: if (!memoryOperand()) return false; reg = wrap32(int64_t{reg} + m); setFromReg(); return true;
    case op::SUB: if (!memoryOperand()) return false; reg = wrap32(int64_t{reg} - m); setFromReg(); return true;
    case op::AND: if (!memoryOperand()) return false; reg &= m; setFromReg(); return true;
    case op::OR: if (!memoryOperand()) return false; reg |= m; setFromReg(); return true;
    case op::EOR: if (!memoryOperand()) return false; reg ^= m; setFromReg(); return true;
    case op::CPA: if (!memoryOperand()) return false; r[kRegFR] = emCPA(reg, m); return true;
    case op::CPL: if (!memoryOperand()) return false; r[kRegFR] = emCPL(reg, m); return true;
    case op::SLA: if (!memoryOperand()) return false; reg = emSLA(wb, reg, m); setFromReg(); return true;
    case op::SRA: if (!memoryOperand()) return false; reg = emSRA(wb, reg, m); setFromReg(); return true;
    case op::SLL: if (!memoryOperand()) return false; reg = emSLL(wb, reg, m); setFromReg(); return true;
    case op::SRL: if (!memoryOperand()) return false; reg = emSRL(wb, reg, m); setFromReg(); return true;
    case op::IN: return emIN(wb, e);
    case op::OUT: return emOUT(wb, e);
    case op::JMP: run.nextPc = e; return true;
    case op::JPZ: if (r[kRegFR] != kFRMinus) run.nextPc = e; return true;
    case op::JMI: if (r[kRegFR] == kFRMinus) run.nextPc = e; return true;
    case op::JNZ: if (r[kRegFR] != kFRZero) run.nextPc = e; return true;
    case op::JZE: if (r[kRegFR] == kFRZero) run.nextPc = e; return true;
    case op::CALL: if (!emPush(wb, run.nextPc)) return false; run.nextPc = e; return true;
    case op::PUSH: return emPush(wb, e);
    }
    return true;
}

// Executes the instruction whose first word is w and notes its detail in the step's trace.
// False on an address fault, which leaves the detail empty.
bool execute(Workbench& wb, int32_t w, TraceStep& trace) {
    auto& run = wb.run;
    if (w == kExitWord) {
        DumpMemReg(wb);
        run.nextPc = 0;
        run.halted = true;
        run.haltedBy = Halt::Exit;
        return true;
    }
    if (w == kRetWord) {
        int32_t target = 0;
        if (!emPop(wb, target)) return false;
        run.nextPc = target;
        trace.n.detail = TraceStep::Return;
        trace.n.operand = static_cast<uint16_t>(target);
        return true;
    }
    int g = registerField(w);
    if (g > kRegFR) {
        report(wb, DiagKind::BadRegister);
        g = 0;
    }
    const int opcode = opcodeField(w);
    int32_t e = 0;
    if (opcode == op::POP) {
        int32_t popped = 0;
        if (!emPop(wb, popped)) return false;
        wb.regs.r[static_cast<size_t>(g)] = popped;
    } else {
        if (!fetchWord(wb, int64_t{run.pc} + 1, e)) return false;
        const int x = indexField(w);
        if (x >= 6) report(wb, DiagKind::BadIndex);
        else if (x != 0) e = wrap32(int64_t{e} + wb.regs.r[static_cast<size_t>(x)]);
    }
    trace.n.detail = TraceStep::Effective;
    trace.n.operand = static_cast<uint16_t>(e);
    trace.n.registerNo = static_cast<uint8_t>(g);
    if (opcode == op::POP || performOperation(wb, opcode, g, e)) return true;
    trace.n.detail = TraceStep::None;
    return false;
}

// Notes box k's text as box j of the step: its value, or the text itself when it is no four digits.
void noteBox(const Workbench& wb, int k, TraceStep& step, size_t j) {
    const int32_t value = wb.txtGRValue[static_cast<size_t>(k)];
    step.n.boxes[j] = static_cast<uint16_t>(value);
    if (value >= 0) return;
    step.texts[j] = wb.txtGR[static_cast<size_t>(k)];
    step.n.textBoxes = static_cast<uint8_t>(step.n.textBoxes | 1u << j);
}

}  // namespace

// ---- Flags and comparisons ----

int32_t frOf(int64_t value) {
    if ((static_cast<uint64_t>(value) & 0xFFFFFFFFFFFF8000u) != 0) return kFRMinus;
    return value == 0 ? kFRZero : kFRPlus;
}

void emSetFR(Workbench& wb, int64_t value) { wb.regs.r[kRegFR] = frOf(value); }

namespace {
int32_t compare(int32_t a, int32_t b) { return a > b ? kFRPlus : a == b ? kFRZero : kFRMinus; }
int32_t asSigned16IfAbove(int32_t v) { return v > 32767 ? static_cast<int32_t>(static_cast<uint32_t>(v) | 0xFFFF0000u) : v; }
}  // namespace

int32_t emCPA(int32_t a, int32_t b) { return compare(asSigned16IfAbove(a), asSigned16IfAbove(b)); }
int32_t emCPL(int32_t a, int32_t b) { return compare(a, b); }

// ---- Shifts ----

int32_t emSLL(Workbench& wb, int32_t v, int32_t n) {
    int64_t value = v;
    // Each pass keeps only the low byte, so two passes leave 0 whatever the count.
    while (n > 8 && value != 0) {
        value = (value & 0xFF) * 256;
        n -= 8;
    }
    const int32_t result = value == 0 ? 0 : wrap32(scaleRounded(value, n));
    emSetFR(wb, result);
    return result;
}

int32_t emSLA(Workbench& wb, int32_t v, int32_t n) {
    const auto sign = static_cast<int32_t>(static_cast<uint32_t>(v) & 0xFFFF8000u);
    int64_t m = v & 0x7FFF;
    while (n > 8 && m != 0) {
        m = (m & 0xFF) * 256;
        n -= 8;
    }
    const int64_t shifted = m == 0 ? 0 : scaleRounded(m, n);
    const int32_t result = static_cast<int32_t>(shifted & 0x7FFF) | sign;
    emSetFR(wb, result);
    return result;
}

int32_t emSRL(Workbench& wb, int32_t v, int32_t n) {
    const int32_t result = shiftRightRepeated(v, n, [](int32_t x) {
        return ((x >> 1) & 0x3FFF) | (hasSignPart(x) ? 0x4000 : 0);
    });
    emSetFR(wb, result);
    return result;
}

int32_t emSRA(Workbench& wb, int32_t v, int32_t n) {
    const int32_t result = shiftRightRepeated(v, n, [](int32_t x) {
        return ((x >> 1) & 0x3FFF) | (hasSignPart(x) ? -16384 : 0);
    });
    emSetFR(wb, result);
    return result;
}

// ---- Stack ----

bool emPush(Workbench& wb, int32_t value) {
    int32_t& sp = wb.regs.r[4];
    if (sp <= 0) {
        report(wb, DiagKind::PushError);
        return true;
    }
    const int64_t cell = int64_t{sp} - 1;
    if (!isCell(cell)) {
        addressError(wb, cell - 1);
        return false;
    }
    sp = static_cast<int32_t>(cell);
    storeCell(wb, cell, value);
    return true;
}

bool emPop(Workbench& wb, int32_t& value) {
    int32_t& sp = wb.regs.r[4];
    if (!isCell(sp)) {
        addressError(wb, int64_t{sp} - 1);
        return false;
    }
    value = wb.memory.cell(sp).value;
    ++sp;
    return true;
}

// ---- Memory and faults ----

// ---- Stepping and run control ----

void emStep(Workbench& wb) {
    auto& run = wb.run;
    int32_t w = 0;
    if (!fetchWord(wb, run.pc, w)) return;
    TraceStep& trace = run.history.begin();
    noteBox(wb, kPcBox, trace, 0);
    trace.n.word = static_cast<uint16_t>(w);
    trace.n.detail = TraceStep::None;
    if (run.debugMode) wb.label6 = Text(kOperationCaption) + cnvHex4(w);
    execute(wb, w, trace);
    for (int k = 0; k < kRegFR + 1; ++k) noteBox(wb, k, trace, static_cast<size_t>(k) + 1);
    trace.n.complete = true;
}

void Label3_Click(Workbench& wb) {
    wb.run.debugMode = !wb.run.debugMode;
    wb.label3 = wb.run.debugMode ? u"Debug Mode" : u"Run Mode";
}

}  // namespace comet
