// The verdicts and report texts the golden class under tests/grade does not reach: cases
// that do not look at the output, registers compared in their low 16 bits, XML escapes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

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
    EXPECT_EQ(r.cases[0].outcome, Outcome::EndlessLoop) << r.cases[0].reason;
    EXPECT_LT(r.cases[0].steps, 100u);
}

TEST(GradeReports, EscapeWhatXmlCannotHoldAsItIs) {
    const Exercise e = parseExercise("[[case]]\nname = 'a, b & <c>'\n", "cases.toml", 1000);
    const std::vector<SubmissionResult> results{{"x.casl", {{Outcome::WrongState, 3, "no label A\x01", {}}}}};
    const std::string xml = junitXml(e, results);
    EXPECT_NE(xml.find("name=\"a, b &amp; &lt;c&gt;\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("message=\"no label A\\x01\"/>"), std::string::npos) << xml;
}

// A name with a TAB, a newline or bytes that are not UTF-8 reads the same, escaped, in the
// JUnit report, the CSV and the summary: each stays well formed and on its line.
TEST(GradeReports, AnyNameReadsTheSameInEveryReport) {
    const Exercise e = parseExercise("[[case]]\nname = \"tab\\there\"\n", "cases.toml", 1000);
    const std::vector<SubmissionResult> results{{"bad\xFF\nname.casl", {{Outcome::WrongState, 3, "no label A", {}}}}};
    const std::string xml = junitXml(e, results), csv = resultsCsv(e, results), summary = summaryText(e, results);
    EXPECT_NE(xml.find("<testcase classname=\"bad\\xFF\\nname.casl\" name=\"tab\\there\">"), std::string::npos) << xml;
    EXPECT_NE(csv.find("\nbad\\xFF\\nname.casl,tab\\there,"), std::string::npos) << csv;
    EXPECT_NE(summary.find("\nbad\\xFF\\nname.casl\n  tab\\there: no label A\n"), std::string::npos) << summary;
}

}  // namespace
}  // namespace comet
