// Where each assembler message points in the source, where the golden files cannot show it.
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

// The golden assembler files show where each message points; here the places they cannot
// hold well: a column past 10,000 and lines ended by a lone LF.
TEST(Diagnostics, AssemblerMessagesPointAtTheirStatementOrOperand) {
    struct Row { const char* what; Text source; DiagKind kind; int32_t line, column, endColumn; };
    const Row rows[] = {
        {"number as head on a very long line", Text(10000, u' ') + u"123 LD GR0,A", DiagKind::SyntaxError, 1, 10001, 10004},
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

TEST(Diagnostics, SyntaxErrorsCarryTheLocationCounterAndOffsets) {
    const auto found = assemble(u"  LD GR0,1\r\n  DS 3\r\n123\r\n");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].address, 5);
    EXPECT_EQ(found[0].where.begin, 20);  // CR LF counts two
    EXPECT_EQ(found[0].where.end, 23);
}

}  // namespace
}  // namespace comet
