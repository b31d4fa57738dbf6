// The verdicts and report texts the golden class under tests/grade does not reach: cases
// that do not look at the output, registers compared in their low 16 bits, XML escapes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "grading/feedback.hpp"
#include "grading/grade.hpp"
#include "grading/grade_report.hpp"

namespace comet {
namespace {

// A submission written to a file of its own for the grader to read.
struct SubmissionFile {
    std::string path = (std::filesystem::temp_directory_path() / ("comet_grade_" + std::to_string(getpid()) + ".casl")).string();
    explicit SubmissionFile(const std::string& source) { std::ofstream(path, std::ios::binary) << source; }
    ~SubmissionFile() { std::filesystem::remove(path); }
};

TEST(Grader, ChecksOnlyWhatACaseExpects) {
    const Exercise e = parseExercise(
        "[[case]]\nname = 'any output'\n"
        "[[case]]\nname = 'minus'\nregisters = { GR1 = 0xFFFF, FR = 0x8000 }\n"
        "[[case]]\nname = 'label'\nlabels = { m = -1 }\n",
        "cases.toml", 1000);
    const SubmissionFile file("  LD GR1,M\r\n  ADD GR1,Z\r\n  OUT H,L\r\n  EXIT\r\nH DC 'HI'\r\nL DC 2\r\nM DC #FFFF\r\nZ DC 0\r\n");
    const SubmissionResult r = Grader(e).grade(file.path);
    ASSERT_EQ(r.cases.size(), 3u);
    EXPECT_EQ(r.cases[0].steps, 5u);
    EXPECT_EQ(r.passed(), 3u);
}

// Once the case's input has ended every IN reads the same empty line: a program that reads
// on is an endless loop, not a run to the step limit.
TEST(Grader, ReadingOnAfterTheInputEndedIsAnEndlessLoop) {
    const Exercise e = parseExercise("max-steps = 100000\n[[case]]\nname = 'one line'\ninput = ['7']\n", "cases.toml", 1000);
    const SubmissionFile file("LOOP IN B,L\r\n  JMP LOOP\r\nB DS 4\r\nL DC 0\r\n");
    const SubmissionResult r = Grader(e).grade(file.path);
    ASSERT_EQ(r.cases.size(), 1u);
    EXPECT_EQ(r.cases[0].outcome, Outcome::EndlessLoop) << r.cases[0].reason();
    EXPECT_LT(r.cases[0].steps, 100u);
}

TEST(GradeReports, EscapeWhatXmlCannotHoldAsItIs) {
    const Exercise e = parseExercise("[[case]]\nname = 'a, b & <c>'\n", "cases.toml", 1000);
    const std::vector<SubmissionResult> results{{"x.casl", {{Outcome::WrongState, 3, {"no label A\x01"}, {}, 0, {}}}, {}}};
    const std::string xml = junitXml(e, results, "2026-01-02T03:04:05");
    EXPECT_NE(xml.find("name=\"a, b &amp; &lt;c&gt;\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("message=\"no label A\\x01\"/>"), std::string::npos) << xml;
}

// A name with a TAB, a newline or bytes that are not UTF-8 reads the same, escaped, in the
// JUnit report, the CSV and the summary: each stays well formed and on its line.
TEST(GradeReports, AnyNameReadsTheSameInEveryReport) {
    const Exercise e = parseExercise("[[case]]\nname = \"tab\\there\"\n", "cases.toml", 1000);
    const std::vector<SubmissionResult> results{{"bad\xFF\nname.casl", {{Outcome::WrongState, 3, {"no label A"}, {}, 0, {}}}, {}}};
    const std::string xml = junitXml(e, results, "2026-01-02T03:04:05"), csv = resultsCsv(e, results), summary = summaryText(e, results);
    EXPECT_NE(xml.find("<testcase classname=\"bad\\xFF\\nname.casl\" name=\"tab\\there\" time="), std::string::npos) << xml;
    EXPECT_NE(csv.find("\nbad\\xFF\\nname.casl,tab\\there,"), std::string::npos) << csv;
    EXPECT_NE(summary.find("\nbad\\xFF\\nname.casl\n  tab\\there: no label A\n"), std::string::npos) << summary;
}

TEST(CaseFile, ComparesOutputLinesAsTheCaseSays) {
    struct Row {
        const char* match;
        const char* expected;
        const char16_t* actual;
        bool same;
    };
    const Row rows[] = {
        {"exact", "3", u"3", true},         {"exact", "3", u" 3", false},       {"trim", " 3\t", u"3  ", true},
        {"trim", "3 2", u"3  2", false},    {"ignore-case", "Ok", u"oK", true},  {"ignore-case", "Ok", u"Ok!", false},
        {"regex", "[0-9]+", u"304", true},  {"regex", "[0-9]+", u"30a", false}, {"regex", "a|b", u"b", true},
    };
    for (const auto& row : rows) {
        const Exercise e = parseExercise(std::string("[[case]]\nname = 'x'\noutput = ['") + row.expected + "']\nmatch = '" + row.match + "'\n",
                                         "cases.toml", 1000);
        EXPECT_EQ(outputLineMatches(e.cases[0], 0, row.actual), row.same) << row.match << ' ' << row.expected;
    }
}

TEST(CaseFile, ReadsPointsHiddenTimeLimitsAndMemory) {
    const Exercise e = parseExercise(
        "timeout = 2.5\n[[case]]\nname = 'a'\npoints = 3\nhidden = true\nlabels = { B = 1 }\n"
        "memory = { 'DATA+0x10' = 5, 'STR' = [0x33, 0x30] }\n[[case]]\nname = 'b'\ntimeout = 1\n",
        "cases.toml", 1000);
    EXPECT_EQ(e.maxPoints(), 4);
    EXPECT_TRUE(e.cases[0].hidden);
    EXPECT_FALSE(e.cases[1].hidden);
    EXPECT_EQ(e.cases[0].timeLimit, 2.5);
    EXPECT_EQ(e.cases[1].timeLimit, 1.0);
    ASSERT_EQ(e.cases[0].memory.size(), 3u);
    EXPECT_EQ(e.cases[0].memory[1].label, "DATA");
    EXPECT_EQ(e.cases[0].memory[1].offset, 16);
    EXPECT_EQ(e.cases[0].memory[2].words, (std::vector<int32_t>{0x33, 0x30}));
}

// A large file is read, and a duplicate found, in one pass: each check is linear.
TEST(CaseFile, HundredThousandCasesAreReadOrRejected) {
    std::string document;
    for (int i = 0; i < 100'000; ++i) document += "[[case]]\nname = 'case " + std::to_string(i) + "'\n";
    EXPECT_EQ(parseExercise(document, "cases.toml", 1000).cases.size(), 100'000u);
    document += "[[case]]\nname = 'case 7'\n";
    EXPECT_THROW(parseExercise(document, "cases.toml", 1000), CaseFileError);
}

TEST(Grader, ReportsEveryWrongWordAndEveryRunOfMemory) {
    const Exercise e = parseExercise(
        "[[case]]\nname = 'state'\nregisters = { GR1 = 1, GR2 = 2 }\nmemory = { 'S+1' = [2, 9, 4], 's' = -1 }\n", "cases.toml", 1000);
    // S at address 197, the last word of memory at S+2.
    const SubmissionFile file("  LEA GR1,7\r\n  EXIT\r\n  DS 194\r\nS DC #FFFF\r\n  DC 2\r\n");
    const SubmissionResult r = Grader(e).grade(file.path);
    ASSERT_EQ(r.cases.size(), 1u);
    EXPECT_EQ(r.cases[0].outcome, Outcome::WrongState);
    EXPECT_EQ(r.cases[0].reason(),
              "GR1 is 0007 at EXIT, expected 0001; GR2 is 0000 at EXIT, expected 0002; S+2 is 0000 at EXIT, expected 0009; "
              "S+3 is outside memory") << r.cases[0].reason();
}

// Faults in the order the run met them, the result naming the first; the message of the
// address error that stopped the run is that error, not an engine error before it.
TEST(Grader, NamesTheFirstFaultAndKeepsTheOthers) {
    struct Row {
        const char* source;
        Outcome outcome;
        std::string reason;
    };
    const Row rows[] = {
        {"  OUT A,L\r\n  LD GR1,200\r\n  EXIT\r\nA DC 'X'\r\nL DC 1\r\n", Outcome::WrongOutput,
         "output line 1 is \"X\", expected \"Y\"; *Address Error (Address=200) at step 3"},
        {"  OUT B,L\r\n  LD GR1,200\r\n  EXIT\r\nA DC 'X'\r\nL DC 1\r\nB DC 'Y'\r\n", Outcome::AddressError,
         "*Address Error (Address=200) at step 3"},
        {"  DC #FF00\r\n  OUT B,L\r\n  EXIT\r\nL DC 1\r\nB DC 'Y'\r\n", Outcome::EngineError,
         "*\u547d\u4ee4\u30b3\u30fc\u30c9\u306e\u4f8b\u5916 at step 1; output line 1 is missing, expected \"Y\""},
    };
    const Exercise e = parseExercise("[[case]]\nname = 'y'\noutput = ['Y']\n", "cases.toml", 1000);
    for (const auto& row : rows) {
        const SubmissionFile file(row.source);
        const CaseResult c = Grader(e).grade(file.path).cases.at(0);
        EXPECT_EQ(c.outcome, row.outcome) << row.source;
        EXPECT_EQ(c.reason(), row.reason) << row.source;
    }
}

// A student's report: the assembler's warnings first (a tab is often the real fault),
// the visible cases with their reasons, the hidden ones only counted.
TEST(Feedback, WarnsAndOnlyCountsHiddenCases) {
    const Exercise e = parseExercise(
        "[[case]]\nname = 'echo'\ninput = ['5']\noutput = ['5']\n"
        "[[case]]\nname = 'twice'\npoints = 2\ninput = ['7']\noutput = ['7', '7']\n"
        "[[case]]\nname = 'secret'\nhidden = true\ninput = ['x']\noutput = ['y']\n",
        "cases.toml", 1000);
    const Text echo = u"E   START\r\n    IN  BUF,LEN\r\n    OUT BUF,LEN\r\n    EXIT\r\nBUF DS  10\r\nLEN DC  1\tX\r\n    END\r\n";
    EXPECT_EQ(feedbackText(e, Grader(e).gradeText(kEditorProgramName, echo)),
              "the program in the editor\nScore: 1 of 4 points\n\n"
              "6:10  warning: a tab is not a separator here: use blanks\n"
              "echo: passed\n"
              "twice: failed (wrong-output)\n  output line 2 is missing, expected \"7\"\n"
              "Hidden cases: 1, 0 passed\n");
}

// What went wrong in a run stands beside its result in every report: the summary under the
// case's reasons, the JUnit case's output (with the warnings), the CSV's notes column and
// the student's feedback; a passed case carries the warnings alone.
TEST(GradeReports, RunNotesAndWarningsStandBesideTheResults) {
    const Exercise e = parseExercise("[[case]]\nname = 'y'\noutput = ['Y']\n", "cases.toml", 1000);
    const Text source = u"    LD  GR2,K\r\n    LD  GR1,0,GR2\r\n    ST  GR1,B,GR0\r\n    EXIT\r\nK   DC  300\r\nB   DS  1\r\n";
    const std::vector<SubmissionResult> results{Grader(e).gradeText("x.casl", source)};
    const std::string warning = "3:15  warning: GR0 cannot index: the address is used as it is.";
    const std::string note = "2:1  run: LD addressed 0 + GR2 (300) = 300, outside the memory (0 to 199).";
    ASSERT_EQ(results[0].warnings, std::vector<std::string>{warning});
    EXPECT_EQ(results[0].cases.at(0).notes, std::vector<std::string>{note});
    EXPECT_NE(summaryText(e, results).find("\nx.casl\n  " + warning + "\n  y: *Address Error (Address=300) at step 2\n    " + note + "\n\n"),
              std::string::npos)
        << summaryText(e, results);
    EXPECT_NE(junitXml(e, results, "t").find("\n      <system-out>" + warning + '\n' + note + "\n</system-out>\n    </testcase>\n"),
              std::string::npos)
        << junitXml(e, results, "t");
    EXPECT_NE(resultsCsv(e, results).find(",\"" + warning + "; " + note + "\"\n"), std::string::npos) << resultsCsv(e, results);
    EXPECT_NE(feedbackText(e, results[0]).find("\n\n" + warning + "\ny: failed (address-error)\n  *Address Error (Address=300) at step 2\n  " +
                                               note + '\n'),
              std::string::npos)
        << feedbackText(e, results[0]);

    const Exercise any = parseExercise("[[case]]\nname = 'any'\n", "cases.toml", 1000);
    const std::vector<SubmissionResult> passed{Grader(any).gradeText("p.casl", u"    ST  GR1,B,GR0\r\n    EXIT\r\nB   DS  1\r\n")};
    ASSERT_EQ(passed[0].passed(), 1u);
    EXPECT_NE(junitXml(any, passed, "t").find("\">\n      <system-out>1:15  warning:"), std::string::npos)
        << junitXml(any, passed, "t");
}

}  // namespace
}  // namespace comet
