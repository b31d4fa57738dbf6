// Where each assembler message points in the source; the golden files show the texts.
#include <gtest/gtest.h>

#include <string>

#include "loaded.hpp"
#include "workbench/diagnostics.hpp"

namespace comet {
namespace {

// The one message whose text no golden file shows: a register word reaches the analysis
// as a syntax error, not as a statement to generate.
TEST(Diagnostics, AClassWithoutAGeneratorHasItsText) {
    EXPECT_EQ(diagnosticText({DiagKind::CannotGenerate, 0, {}, {}, {}}), u"Can Not Generation");
}

// The diagnostics of one ASM of `source`; each was also shown, in the same order.
std::vector<Diagnostic> assemble(const Text& source) {
    Loaded s;
    userSetsSource(s.wb, source);
    Command1_Click(s.wb);
    EXPECT_EQ(s.display.shown.size(), s.wb.diagnostics.size());
    for (size_t i = 0; i < s.wb.diagnostics.size() && i < s.display.shown.size(); ++i)
        EXPECT_EQ(s.display.shown[i].text, diagnosticText(s.wb.diagnostics[i]));
    return s.wb.diagnostics;
}

TEST(Diagnostics, AssemblerMessagesPointAtTheirStatementOrOperand) {
    struct Row { const char* what; Text source; DiagKind kind; int32_t line, column, endColumn; };
    const Text longLine = Text(10000, u' ') + u"123 LD GR0,A";
    Text tableFull;
    for (int i = 0; i < 65; ++i) tableFull += u"N" + fromAscii(std::to_string(i)) + u" DC 0\r\n";
    const Row rows[] = {
        {"register as head, after a blank line", u"  LD GR0,1\r\n\r\nGR1 LD GR0,A\r\n", DiagKind::SyntaxError, 3, 1, 4},
        {"number as head on a very long line", longLine, DiagKind::SyntaxError, 1, 10001, 10004},
        {"unclosed string", u"  DC 1\r\nX 'abc", DiagKind::SyntaxError, 2, 3, 7},
        {"number out of range", u"  40000", DiagKind::SyntaxError, 1, 3, 8},
        {"two names", u"FOO BAR", DiagKind::SyntaxError, 1, 5, 8},
        {"negative DS count", u"  DS  -3", DiagKind::SyntaxError, 1, 7, 9},
        {"undefined name", u"  LD GR0,1\r\n  JMP NOWHERE,GR1\r\n", DiagKind::Undefined, 2, 7, 14},
        {"undefined name of IN's second operand", u"  IN BUF,LEN\r\nBUF DC 0", DiagKind::Undefined, 1, 10, 13},
        {"duplicate label", u"A DC 1\r\nA DC 2", DiagKind::DuplicateLabel, 2, 1, 2},
        {"name table full", tableFull, DiagKind::NameTableOver, 65, 1, 4},
        {"past memory", u"  DS 199\r\n  LD GR0,1 \r\n", DiagKind::MemoryOver, 2, 3, 11},
        {"DS of a name", u"  DS X", DiagKind::DsOperand, 1, 6, 7},
        {"DS without operand", u"  DS", DiagKind::DsOperand, 1, 3, 5},
        {"lines counted at a lone LF, as the editor counts", u"A DC 1\nB DC 2\r\n  JMP C", DiagKind::Undefined, 3, 7, 8},
    };
    for (const Row& r : rows) {
        const auto found = assemble(r.source);
        ASSERT_EQ(found.size(), 1u) << r.what;
        const Diagnostic& d = found[0];
        EXPECT_EQ(d.kind, r.kind) << r.what;
        EXPECT_EQ(d.where.line, r.line) << r.what;
        EXPECT_EQ(d.where.column, r.column) << r.what;
        EXPECT_EQ(d.where.endColumn, r.endColumn) << r.what;
    }
}

TEST(Diagnostics, EachUseOfAnUndefinedNameIsReportedWhereItStands) {
    const auto found = assemble(u"  JMP X\r\n  LD GR1,X,GR2\r\n  DC X\r\n  OUT X,X\r\n");
    ASSERT_EQ(found.size(), 5u);
    const std::pair<int32_t, int32_t> where[] = {{1, 7}, {2, 10}, {3, 6}, {4, 7}, {4, 9}};
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].name, u"X");
        EXPECT_EQ(std::pair(found[i].where.line, found[i].where.column), where[i]) << i;
    }
}

TEST(Diagnostics, SyntaxErrorsCarryTheLocationCounterAndOffsets) {
    const auto found = assemble(u"  LD GR0,1\r\n  DS 3\r\n123\r\n");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].address, 5);
    EXPECT_EQ(found[0].where.begin, 20);  // CR LF counts two
    EXPECT_EQ(found[0].where.end, 23);
}

}  // namespace
}  // namespace comet
