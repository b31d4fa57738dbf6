#include "workbench/diagnostics.hpp"

#include <algorithm>
#include <string>
#include <utility>

#include "machine/hex.hpp"
#include "workbench/workbench.hpp"

namespace comet {

const DiagText kDiagTexts[kDiagKindCount] = {
    {DiagKind::SyntaxError, u"Syntax Error (Address=", DiagText::Address, u")"},
    {DiagKind::Undefined, u"", DiagText::Name, u" が未定義です"},
    {DiagKind::DuplicateLabel, u"", DiagText::Name, u" が二重定義です"},
    {DiagKind::NameTableOver, u"**** Name Table Over ****", DiagText::Nothing, u""},
    {DiagKind::MemoryOver, u"**** Memory Over ****", DiagText::Nothing, u""},
    {DiagKind::DsOperand, u"* DS のオペランドは整数のみです", DiagText::Nothing, u""},
    {DiagKind::CannotGenerate, u"Can Not Generation", DiagText::Nothing, u""},
    {DiagKind::BadRegister, u"命令コードの例外（GR指定）", DiagText::Nothing, u""},
    {DiagKind::BadIndex, u"命令コードの例外（XR指定）", DiagText::Nothing, u""},
    {DiagKind::BadOpcode, u"*命令コードの例外", DiagText::Nothing, u""},
    {DiagKind::PushError, u"*Push Error", DiagText::Nothing, u""},
    {DiagKind::AddressError, u"*Address Error (Address=", DiagText::Address, u")"},
};

SourceSpan spanOf(const std::vector<int32_t>& lineStarts, int32_t begin, int32_t end) {
    // The last line that starts at or before begin holds it.
    const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), begin);
    const auto line = static_cast<int32_t>(after - lineStarts.begin());
    const int32_t start = line > 0 ? lineStarts[static_cast<size_t>(line - 1)] : 0;
    const int32_t lineEnd = after == lineStarts.end() ? end : *after;
    return {begin, end, line, begin - start + 1, std::min(end, lineEnd) - start + 1};
}

Text diagnosticText(const Diagnostic& d) {
    const DiagText& t = kDiagTexts[static_cast<size_t>(d.kind)];
    Text text(t.before);
    if (t.carries == DiagText::Address) text += fromAscii(std::to_string(d.address));
    if (t.carries == DiagText::Name) text += d.name;
    text += t.after;
    return text;
}

namespace {

std::string placeText(std::string_view file, const SourceSpan& where) {
    std::string text(file);
    if (where.line > 0) text += ':' + std::to_string(where.line) + ':' + std::to_string(where.column);
    return text;
}

std::string withNotes(std::string_view file, const SourceSpan& where, std::string first, const std::vector<Note>& notes) {
    const std::string place = placeText(file, where);
    std::string text = place + ": " + first + '\n';
    for (const Note& n : notes) text += place + ": note: " + noteText(n) + '\n';
    return text;
}

}  // namespace

std::string locatedText(std::string_view file, const Diagnostic& d) {
    return placeText(file, d.where) + ": " + toUtf8(diagnosticText(d));
}

std::string locatedLines(std::string_view file, const Diagnostic& d) {
    return withNotes(file, d.where, "error: " + toUtf8(diagnosticText(d)), d.notes);
}

std::string locatedLines(std::string_view file, const Warning& w) {
    return withNotes(file, w.where, "warning: " + noteText(w.text), w.notes);
}

std::string locatedNote(std::string_view file, int32_t line, const Note& note) {
    return std::string(file) + (line > 0 ? ':' + std::to_string(line) + ":1" : "") + ": note: " + noteText(note) + '\n';
}

namespace {

std::string hex(int64_t v) { return toUtf8(cnvHex4(static_cast<int32_t>(v))); }

// What an engine message means, from the instruction at the PC as the machine holds it now.
std::vector<Note> faultNotes(const Workbench& wb, DiagKind kind, int64_t address) {
    const int32_t pc = wb.run.pc;
    const auto wordAt = [&wb](int64_t a) { return isProgramAddress(a) ? wb.memory.cell(a + 1).value : 0; };
    const int32_t word = wordAt(pc);
    switch (kind) {
    case DiagKind::BadOpcode: {
        const bool fromStatement = isProgramAddress(pc) && wb.as.lineOfWord[static_cast<size_t>(pc)] > 0;
        if (fromStatement)
            return {{Msg::RunPastProgram, {hex(pc), std::to_string(wb.as.lineOfWord[static_cast<size_t>(pc)]), hex(word)}}};
        return {{Msg::RunBeyondProgram, {hex(pc), hex(word)}}};
    }
    case DiagKind::AddressError: {
        const ReservedWord* operation = operationOf((word >> 8) & 0xFF);
        const std::string name = operation ? std::string(operation->name) : hex(word);
        const int x = word & 0xF;
        if (x == 0 || x > 4) return {{Msg::RunAddressPlain, {name, std::to_string(address)}}};
        return {{Msg::RunAddressIndexed, {name, std::to_string(address), std::to_string(wordAt(int64_t{pc} + 1)),
                                          std::string(kRegisterNames[static_cast<size_t>(x)]),
                                          std::to_string(wb.regs.r[static_cast<size_t>(x)])}}};
    }
    case DiagKind::PushError: return {{Msg::RunPushError, {std::to_string(wb.regs.r[4])}}};
    case DiagKind::BadRegister:
    case DiagKind::BadIndex: return {{Msg::RunBadField, {hex(word), hex(pc)}}};
    default: return {};
    }
}

}  // namespace

void report(Workbench& wb, Diagnostic d) {
    const Text text = diagnosticText(d);
    if (isAssemblerKind(d.kind)) wb.diagnostics.push_back(std::move(d));
    else if (wb.run.faults.size() < kFaultsKept) {
        const int32_t pc = wb.run.pc;
        const int32_t line = isProgramAddress(pc) ? wb.as.lineOfWord[static_cast<size_t>(pc)] : 0;
        wb.run.faults.push_back({d.kind, pc, line, faultNotes(wb, d.kind, d.address)});
    }
    wb.display().messageBox(text, kAppTitle);
}

void report(Workbench& wb, DiagKind kind, int64_t address) { report(wb, Diagnostic{kind, address, {}, {}, {}}); }

}  // namespace comet
