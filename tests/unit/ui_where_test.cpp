// The window logic of where things are: lines followed through edits, the status text,
// the tab fix and the located form of a diagnostic. The golden sessions problems,
// status and links cover the rest end to end.
#include <gtest/gtest.h>

#include <vector>

#include "loaded.hpp"
#include "session/exec_status.hpp"
#include "session/problems.hpp"
#include "session/source_lines.hpp"

namespace comet {
namespace {

TEST(LineMapOfEdit, KeepsTheLinesAnEditLeftWholeAndMovesThem) {
    struct Row {
        const char* what;
        const char16_t* before;
        const char16_t* after;
        std::vector<int32_t> map;  // new line of each old line 1.., 0 for touched
    };
    const Row rows[] = {
        {"no change", u"a\r\nb\r\nc", u"a\r\nb\r\nc", {1, 2, 3}},
        {"typed at a line's end", u"a\r\nb\r\nc", u"a\r\nbx\r\nc", {1, 0, 3}},
        {"typed at a line's start", u"a\r\nb\r\nc", u"a\r\nxb\r\nc", {1, 0, 3}},
        {"a line break at a line's end", u"a\r\nb\r\nc", u"a\r\n\r\nb\r\nc", {1, 3, 4}},
        {"a line break at the start", u"a\r\nb", u"\r\na\r\nb", {2, 3}},
        {"a line deleted", u"a\r\nb\r\nc", u"a\r\nc", {1, 0, 2}},
        {"two lines joined", u"a\r\nb\r\nc", u"ab\r\nc", {0, 0, 2}},
        {"a line split", u"ab\r\nc", u"a\r\nb\r\nc", {0, 3}},
        {"CR LF made a lone LF", u"a\r\nb", u"a\nb", {1, 2}},
        {"an empty line given text", u"a\r\n\r\nb", u"a\r\nx\r\nb", {1, 0, 3}},
        {"everything replaced", u"ab\r\ncd", u"xy", {0, 0}},
        // Whole lines inserted or deleted beside lines that begin with the same characters.
        {"an indented line deleted", u"    A\r\n    B\r\n    C", u"    A\r\n    C", {1, 0, 2}},
        {"an indented line inserted", u"    A\r\n    C", u"    A\r\n    B\r\n    C", {1, 3}},
        {"the first line deleted", u"    LEA GR1,1\r\n    LEA GR2,2\r\n", u"    LEA GR2,2\r\n", {0, 1, 2}},
        {"a line inserted at the start", u"    Y\r\n    Z", u"    X\r\n    Y\r\n    Z", {2, 3}},
        {"the last line deleted", u"    Y\r\n    Z\r\n", u"    Y\r\n", {1, 0, 2}},
        {"the last line deleted, no line break after it", u"    Y\r\n    Z", u"    Y", {1, 0}},
        {"a label-led line deleted", u"L1  LD GR1,A\r\nL2  LD GR1,B\r\nL3  RET", u"L1  LD GR1,A\r\nL3  RET", {1, 0, 2}},
        {"a copy of a line inserted after it", u"    A\r\n    A", u"    A\r\n    A\r\n    A", {1, 3}},
        {"lines ended by CR alone", u"    A\r    B\r    C", u"    A\r    C", {1, 0, 2}},
        {"a line replaced by one beginning alike", u"    A\r\n    B\r\n    C", u"    A\r\n    X\r\n    C", {1, 0, 3}},
        {"text typed at the end", u"    A\r\n    A", u"    A\r\n    AA", {1, 0}},
    };
    for (const Row& r : rows) {
        std::vector<int32_t> expected{0};
        expected.insert(expected.end(), r.map.begin(), r.map.end());
        EXPECT_EQ(lineMapOfEdit(r.before, r.after), expected) << r.what;
    }
}

TEST(StatusText, TellsHowAPressEndedWithItsCountAndForARunItsTime) {
    struct Row {
        ExecStatus status;
        bool withTime;
        const char16_t* text;
    };
    using S = ExecStatus;
    const Row rows[] = {
        {{}, true, u""},
        {{S::Running, false, Halt::None, 0, 0, 0, 0}, true, u"Running\u2026"},
        {{S::Done, true, Halt::Exit, 1, 0x0C, 0, 0.5}, true, u"Ended by EXIT after 1 instruction"},
        {{S::Done, false, Halt::Exit, 1234567, 0, 0, 0.01234}, true, u"Ended by EXIT after 1,234,567 instructions (12.3 ms)"},
        {{S::Done, false, Halt::Exit, 999, 0, 0, 0.01234}, false, u"Ended by EXIT after 999 instructions"},
        {{S::Done, false, Halt::Stopped, 25000000, 0, 0x10012, 2.5}, true, u"Stopped by you at 0012 after 25,000,000 instructions (2.50 s)"},
        {{S::Done, false, Halt::AddressError, 7, 0, 0x12, 0}, true, u"Address error at 0012 after 7 instructions (0.0 ms)"},
    };
    for (const Row& r : rows) EXPECT_EQ(toUtf8(statusText(r.status, r.withTime)), toUtf8(r.text));
}

TEST(ReplaceTabsByBlanks, FillsToTheTabStopOutsideStringsAndKeepsTheSelection) {
    Loaded s;
    userSetsSource(s.wb, u"\tA\r\nLD\tB\r\nLEA1234\tC\rDC '\t'\tD\r\n");
    userSelects(s.wb, 4, 3);  // from before the second line's "LD" to just after its tab
    replaceTabsByBlanks(s.wb);
    EXPECT_EQ(s.wb.text1.text, u"        A\r\nLD      B\r\nLEA1234 C\rDC '\t'  D\r\n");
    EXPECT_EQ(s.wb.text1.selStart, 11);
    EXPECT_EQ(s.wb.text1.selLength, 8);
}

TEST(ProblemDrawing, RowTextAndUnderlinedColumns) {
    setLanguage(Language::English);
    struct Row {
        Problem problem;
        int32_t lineLength;
        const char* row;
        std::pair<int32_t, int32_t> columns;
    };
    const Row rows[] = {
        {{ProblemKind::Error, 3, 1, 4, u"Syntax Error (Address=2)", u"", {}}, 19, "3:1  error: Syntax Error (Address=2)", {0, 3}},
        {{ProblemKind::UndefinedName, 2, 17, 18, u"X が未定義です", u"", {}}, 17, "2:17  undefined name: X が未定義です", {16, 17}},
        {{ProblemKind::Warning, 1, 10, 11, u"a tab is not a separator here: use blanks", u"", {}}, 14, "1:10  warning: a tab is not a separator here: use blanks", {9, 10}},
        {{ProblemKind::Error, 4, 0, 0, u"no columns", u"", {}}, 6, "4:0  error: no columns", {0, 6}},        // the whole line
        {{ProblemKind::Error, 5, 9, 12, u"past the end", u"", {}}, 6, "5:9  error: past the end", {0, 6}},   // edited shorter since
        {{ProblemKind::Error, 6, 3, 12, u"cut at the end", u"", {}}, 6, "6:3  error: cut at the end", {2, 6}},
        {{ProblemKind::Error, 0, 0, 0, u"nowhere", u"", {}}, 0, "error: nowhere", {0, 0}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(toUtf8(problemRowText(r.problem)), r.row);
        EXPECT_EQ(underlinedColumns(r.problem, r.lineLength), r.columns) << r.row;
    }
}

TEST(LocatedText, IsFileLineColumnAndTheMessage) {
    Diagnostic d{DiagKind::Undefined, 0, u"NOWHERE", {40, 47, 4, 13, 20}, {}};
    EXPECT_EQ(locatedText("dir/a.casl", d), "dir/a.casl:4:13: NOWHERE が未定義です");
    d.where = {};
    EXPECT_EQ(locatedText("a.casl", d), "a.casl: NOWHERE が未定義です");
}

TEST(LocatedLines, AreTheErrorOrWarningThenANoteForEachExplanation) {
    setLanguage(Language::English);
    const Diagnostic d{DiagKind::Undefined, 0, u"NOWHERE", {40, 47, 4, 13, 20}, {{Msg::UndefinedNoneNear, {}}}};
    EXPECT_EQ(locatedLines("a.casl", d), "a.casl:4:13: error: NOWHERE が未定義です\n"
                                         "a.casl:4:13: note: Define it as a label (NAME DC 0, NAME DS 1) or correct the name.\n");
    const Warning w{{Msg::WarnNoExit, {}}, {}, {}};
    EXPECT_EQ(locatedLines("a.casl", w),
              "a.casl: warning: The program has no EXIT and its last instruction goes on to the next word: a run ends only "
              "on a zero word or an error.\n");
}

}  // namespace
}  // namespace comet
