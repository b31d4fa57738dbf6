// The chooser's items and the help text's mnemonic rows against the machine's one
// instruction table, so that the three cannot drift apart.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "machine/machine.hpp"
#include "session/mainwindow.hpp"
#include "session/reports.hpp"

namespace comet {
namespace {

Text padded(std::string_view word, size_t width) {
    Text t = fromAscii(word);
    t.resize(width, u' ');
    return t;
}

TEST(InstructionTable, ChooserListsEveryReservedWordInTableOrder) {
    ASSERT_EQ(kChooserItems.size(), kReservedWords.size());
    for (size_t i = 0; i < kReservedWords.size(); ++i)
        EXPECT_EQ(kChooserItems[i].substr(0, 7), padded(kReservedWords[i].name, 7)) << i;
    // The descriptions are the window's own texts, typos included.
    EXPECT_EQ(kChooserItems[11], u"SRA    Arithmetical Shift right");
    EXPECT_EQ(kChooserItems[28], u"DS     Define Strage");
}

// The help text's table row of a reserved word: its name, class and code field.
Text helpRow(const ReservedWord& w) {
    Text code = u"    ";  // directives have no code
    char digits[8];
    if (isOperation(w.cls)) std::snprintf(digits, sizeof digits, "&H%02X", w.code);
    if (w.cls == OpClass::REG) std::snprintf(digits, sizeof digits, "&H%d ", w.code);
    if (w.cls == OpClass::REG || isOperation(w.cls)) code = fromAscii(digits);
    return u"\u3000\u3000 " + padded(w.name, 6) + u"\t" + fromAscii(className(w.cls)) + u"\t" + code + u"\t";
}

TEST(InstructionTable, HelpTableRowsMatchTheTable) {
    std::vector<Text> lines;
    size_t from = 0;
    for (size_t at; (at = kHelpText.find(u"\r\n", from)) != Text::npos; from = at + 2) lines.push_back(kHelpText.substr(from, at - from));
    // Operations from line 35, registers from 64, directives from 72, each in table order.
    const auto firstLine = [](const ReservedWord& w) {
        return w.cls == OpClass::REG ? 64 - 30 : isOperation(w.cls) ? 35 : 72 - 26;
    };
    for (size_t i = 0; i < kReservedWords.size(); ++i) {
        const ReservedWord& w = kReservedWords[i];
        const Text& line = lines.at(static_cast<size_t>(firstLine(w)) + i);
        EXPECT_TRUE(line.starts_with(helpRow(w))) << i << ' ' << toUtf8(line);
    }
}

}  // namespace
}  // namespace comet
