#include "assembler/table.hpp"

#include <algorithm>

#include "assembler/source_ranges.hpp"

namespace comet {

void synInit(Workbench& wb) {
    wb.table.rows[0] = {Text{}, true, 0, OpClass::None};  // the null row: always defined, value 0
    wb.table.count = 0;
    for (const ReservedWord& w : kReservedWords) tblAdd(wb, fromAscii(w.name), w.cls, w.code);
}

void tblAdd(Workbench& wb, const Text& name, OpClass cls, int32_t code) {
    ++wb.table.count;
    wb.table.rows[static_cast<size_t>(wb.table.count)] = {name, true, code, cls};
}

int16_t tblLookup(Workbench& wb, const Text& name, OpClass cls) {
    MnemonicTable& t = wb.table;
    // The row after the last live one is the sentinel: the search always stops there.
    TableRow& sentinel = t.rows[static_cast<size_t>(t.count + 1)];
    sentinel.name = name;
    sentinel.defined = false;
    sentinel.cls = cls;
    int16_t i = 1;
    while (!sameName(t.rows[static_cast<size_t>(i)].name, name)) ++i;
    if (i <= t.count) return i;
    if (t.count < kMaxTableCount) {
        t.count = i;
        return i;
    }
    reportAt(wb, DiagKind::NameTableOver, tokenRange(wb));  // the name just read
    return 0;
}

OpClass tblClass(const Workbench& wb, int row) { return wb.table.rows[static_cast<size_t>(row)].cls; }

const ReservedWord* reservedWordNamed(TextView name) {
    for (const ReservedWord& w : kReservedWords) {
        if (w.name.size() == name.size() &&
            std::equal(w.name.begin(), w.name.end(), name.begin(), [](char r, char16_t c) { return r == asciiUpper(c); }))
            return &w;
    }
    return nullptr;
}

OpClass reservedClass(TextView name) {
    const ReservedWord* w = reservedWordNamed(name);
    return w ? w->cls : OpClass::None;
}

std::optional<int32_t> labelAddress(const Workbench& wb, TextView name) {
    for (int i = kReservedRows + 1; i <= wb.table.count; ++i) {
        const TableRow& row = wb.table.rows[static_cast<size_t>(i)];
        if (row.defined && sameName(row.name, name)) return row.value;
    }
    return std::nullopt;
}

}  // namespace comet
