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

TEST(GradeReports, EscapeWhatXmlCannotHoldAsItIs) {
    const Exercise e = parseExercise("[[case]]\nname = 'a, b & <c>'\n", "cases.toml", 1000);
    const std::vector<SubmissionResult> results{{"x.casl", {{Outcome::WrongState, 3, "no label A\x01", {}}}, {}}};
    const std::string xml = junitXml(e, results);
    EXPECT_NE(xml.find("name=\"a, b &amp; &lt;c&gt;\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("message=\"no label A\xEF\xBF\xBD\"/>"), std::string::npos) << xml;
}

}  // namespace
}  // namespace comet
