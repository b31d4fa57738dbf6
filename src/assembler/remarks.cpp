#include "assembler/remarks.hpp"

#include <algorithm>
#include <string>
#include <utility>

#include "assembler/names.hpp"
#include "machine/hex.hpp"

namespace comet {
namespace {

std::string utf8(TextView t) { return toUtf8(Text(t)); }

constexpr size_t kLongestSpelt = 64;  // longer names are only ever found by their beginning

// Edits (insert, delete, change, swap of neighbours) from a to b, letters compared without regard to case.
size_t editDistance(TextView a, TextView b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t change = asciiUpper(a[i - 1]) == asciiUpper(b[j - 1]) ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && asciiUpper(a[i - 1]) == asciiUpper(b[j - 2]) && asciiUpper(a[i - 2]) == asciiUpper(b[j - 1]))
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// True when one name begins with the other, without regard to case: COUNT and COUNTER.
bool extends(TextView a, TextView b) {
    if (a.size() > b.size()) std::swap(a, b);
    return !a.empty() && sameName(a, b.substr(0, a.size()));
}

// "Did you mean A, B?" for the candidates near `word`, nearest first; nothing when none is near.
std::vector<Note> didYouMean(TextView word, const std::vector<Text>& candidates) {
    const size_t near = word.size() <= 3 ? 1 : 2;
    std::vector<std::pair<size_t, Text>> found;
    for (const Text& c : candidates) {
        // Spelling is compared only between names of about the same length, so that a line
        // of megabytes costs no more than its reading.
        const size_t apart = word.size() > c.size() ? word.size() - c.size() : c.size() - word.size();
        const bool spelt = apart <= near && word.size() <= kLongestSpelt && c.size() <= kLongestSpelt;
        const size_t d = spelt ? editDistance(word, c) : near + 1 + apart;
        if (d <= near || extends(word, c)) found.emplace_back(d, c);
    }
    if (found.empty()) return {};
    std::stable_sort(found.begin(), found.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    std::string names;
    for (size_t k = 0; k < found.size() && k < 3; ++k) names += (k > 0 ? ", " : "") + toUtf8(found[k].second);
    return {{Msg::DidYouMean, {names}}};
}

std::vector<Text> definedLabels(const Workbench& wb) {
    std::vector<Text> names;
    for (int i = kReservedRows + 1; i <= wb.table.count; ++i) {
        const TableRow& r = wb.table.rows[static_cast<size_t>(i)];
        if (r.defined != 0) names.push_back(r.name);
    }
    return names;
}

TextView firstWord(TextView line) {
    while (!line.empty() && line.front() == u' ') line.remove_prefix(1);
    return line.substr(0, std::min(line.find_first_of(u" ,"), line.size()));
}

bool isRegisterName(TextView word) {
    return std::any_of(kRegisterNames.begin(), kRegisterNames.end() - 1,
                       [word](std::string_view r) { return sameName(word, fromAscii(r)); });
}

// Why the statement head could not be read, from the state the head's parser left.
std::vector<Note> syntaxCause(const Workbench& wb) {
    const AsmState& as = wb.as;
    const std::string token = utf8(as.tokenText);
    const TextView head = firstWord(as.line);
    const bool atHead = !as.tokenText.empty() && as.tokenText.data() == head.data();
    switch (as.lineStatus) {
    case kStatusOpenString: return {{Msg::OpenString, {}}};
    case kStatusBadNumber: return {{Msg::BadNumber, {token}}};
    case kStatusOk: return {{Msg::DsNegative, {token}}};  // the one error of a statement read whole
    default: break;
    }
    if (atHead) {
        if (as.lineStatus == kStatusWrongClass) return {{Msg::HeadRegister, {token}}};
        return {{as.token.kind == kTokString ? Msg::HeadString : Msg::HeadNumber, {token}}};
    }
    // A label, then no instruction: either the label was meant as one, or what follows it is none.
    if (as.token.kind == kTokName && !isRegisterName(as.tokenText)) {
        std::vector<Note> notes{{Msg::NotInstruction, {token}}};
        for (Note& n : didYouMeanInstruction(as.tokenText)) notes.push_back(std::move(n));
        return notes;
    }
    std::vector<Note> meant = didYouMeanInstruction(head);
    std::vector<Note> notes;
    if (!meant.empty()) notes.push_back({Msg::NotInstruction, {utf8(head)}});
    else if (as.token.kind == kTokName) notes.push_back({Msg::RegisterNotOperation, {token}});
    notes.push_back({Msg::ReadAsLabel, {utf8(head), token}});
    for (Note& n : meant) notes.push_back(std::move(n));
    return notes;
}

}  // namespace

std::vector<Note> didYouMeanInstruction(TextView word) {
    std::vector<Text> names;
    for (const ReservedWord& w : kReservedWords)
        if (w.cls != OpClass::REG) names.push_back(fromAscii(w.name));
    return didYouMean(word, names);
}

int32_t lineBeingAssembled(const Workbench& wb) {
    if (wb.as.line.data() == nullptr || wb.as.source.data() == nullptr) return 0;
    const auto at = static_cast<int32_t>(wb.as.line.data() - wb.as.source.data());
    return spanOf(wb.as.lineStarts, at, at).line;
}

std::vector<Note> explanationOf(const Workbench& wb, DiagKind kind, const Text& name) {
    const std::string counter = std::to_string(wb.locationCounter);
    switch (kind) {
    case DiagKind::SyntaxError: {
        std::vector<Note> notes = syntaxCause(wb);
        notes.push_back({Msg::SyntaxAddress, {counter, std::to_string(lineBeingAssembled(wb))}});
        return notes;
    }
    case DiagKind::Undefined: {
        std::vector<Note> notes{{Msg::Undefined, {toUtf8(name)}}};
        std::vector<Note> near = didYouMean(name, definedLabels(wb));
        notes.push_back(near.empty() ? Note{Msg::UndefinedNoneNear, {}} : near.front());
        return notes;
    }
    case DiagKind::DuplicateLabel: {
        for (int i = kReservedRows + 1; i <= wb.table.count; ++i) {
            const TableRow& r = wb.table.rows[static_cast<size_t>(i)];
            if (!sameName(r.name, name)) continue;
            return {{Msg::DuplicateFirst, {toUtf8(name), std::to_string(wb.as.lineOfLabel[static_cast<size_t>(i)]),
                                           toUtf8(cnvHex4(r.value))}}};
        }
        return {};
    }
    case DiagKind::NameTableOver:
        return {{Msg::NameTableOver, {std::to_string(kMaxTableCount - kReservedRows), std::to_string(wb.table.count - kReservedRows)}}};
    case DiagKind::MemoryOver: return {{Msg::MemoryOver, {counter, std::to_string(kAddressCount)}}};
    case DiagKind::DsOperand: return {{Msg::DsOperand, {}}};
    case DiagKind::CannotGenerate: return {{Msg::CannotGenerate, {}}};
    default: return {};
    }
}

void warnAt(Workbench& wb, SourceRange range, Note text, std::vector<Note> notes) {
    const SourceSpan where = range.begin < 0 ? SourceSpan{} : spanOf(wb.as.lineStarts, range.begin, range.end);
    wb.warnings.push_back({std::move(text), where, std::move(notes)});
}

Note operandFormsNote(const Workbench& wb) {
    const std::string name = utf8(wb.as.st.operation);
    return {Msg::OperandForms, {name, name + ' ' + std::string(operandNotation(wb.as.st.cls))}};
}

}  // namespace comet
