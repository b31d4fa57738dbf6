// Traces as rows: the golden trace of the sample program (written by --run --trace)
// against the history viewer's text of the same run, and where two runs part.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/batch.hpp"
#include "emulator/engine.hpp"
#include "ui/headless.hpp"
#include "ui/mainwindow.hpp"
#include "ui/reports.hpp"
#include "ui/run_compare.hpp"
#include "ui/step_trace.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

// A workbench before its window loads: assembleForRun loads it.
struct Fresh {
    HeadlessDisplay display;
    Workbench wb{display};
};

std::vector<std::string> split(const std::string& s, char by) {
    std::vector<std::string> parts;
    std::stringstream in(s);
    for (std::string part; std::getline(in, part, by);) parts.push_back(part);
    if (!s.empty() && s.back() == by) parts.emplace_back();
    return parts;
}

// The fields of the CSV lines after the header.
std::vector<std::vector<std::string>> csvRows(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(file, line);
    while (std::getline(file, line)) rows.push_back(split(line, ','));
    return rows;
}

// Column numbers of the trace CSV.
enum Column { kStep, kPc, kWords, kMnemonic, kAddress, kRegister, kGr0, kFr = kGr0 + 5, kWrites };

// The two lines the history viewer shows of a step, made from a CSV row and the
// registers after the step before it (which its "After" line shows).
std::string historyLinesOf(const std::vector<std::string>& row, const std::vector<std::string>& before) {
    std::string first = "*Exec Address = " + row[kPc] + " Code=" + row[kWords].substr(0, 4);
    if (row[kRegister].empty() && !row[kAddress].empty()) first += " Return Address=" + row[kAddress];
    if (!row[kRegister].empty()) first += " Effective Address=" + row[kAddress] + " Register No. = " + row[kRegister];
    std::string after = "      After";
    for (int i = 0; i < 6; ++i) after += ' ' + std::string(i < 5 ? "GR" + std::to_string(i) : "FR") + ':' + before[static_cast<size_t>(kGr0 + i)];
    return "\r\n" + first + "\r\n" + after + "\r\n";
}

TEST(TraceCsv, SampleProgramTellsWhatTheHistoryViewerShows) {
    const auto rows = csvRows(COMET_TEST_DIR "/grade/trace/sample.csv");
    ASSERT_EQ(rows.size(), 19u);
    Fresh l;
    ASSERT_TRUE(assembleForRun(l.wb, kSampleProgram));
    Command2_Click(l.wb);
    Command5_Click(l.wb);
    std::string expected;
    std::vector<std::string> before(kWrites, "0000");
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), static_cast<size_t>(kWrites + 1));
        expected += historyLinesOf(row, before);
        before = row;
    }
    EXPECT_EQ(toUtf8(l.wb.frmText.text), expected);
}

TEST(StepRecorder, AnInstructionAtTheLastAddressHasOneWord) {
    Fresh f;
    f.wb.memory.writableCell(kAddressCount).value = 0x1010;  // LD GR1 at 00C7, its address word beyond memory
    setBoxText(f.wb, kPcBox, u"00C7");
    StepRecorder recorder;
    recorder.start(f.wb);
    Command2_Click(f.wb);
    StepRow row;
    ASSERT_TRUE(recorder.take(f.wb, row));
    EXPECT_EQ(row.pc, 0xC7);
    EXPECT_EQ(row.wordCount, 1);
    EXPECT_EQ(traceCsvLine(row), "1,00C7,1010,LD,,,0000,0000,0000,0000,0000,0000,\n");
    EXPECT_FALSE(recorder.take(f.wb, row));
}

// ---- Where two runs part ----

std::optional<std::string> departure(const char* mine, const char* reference, long maxSteps = 100) {
    Fresh a, b;
    EXPECT_TRUE(assembleForRun(a.wb, fromUtf8(mine)));
    EXPECT_TRUE(assembleForRun(b.wb, fromUtf8(reference)));
    const auto d = firstDeparture(a.wb, b.wb, maxSteps);
    if (!d) return std::nullopt;
    return toUtf8(*d);
}

TEST(FirstDeparture, IsTheFirstStepThatDoesOtherwise) {
    struct Row {
        const char* mine;
        const char* reference;
        std::optional<std::string> expected;
    };
    const Row rows[] = {
        // Laid out otherwise, the same steps: no departure.
        {"  LEA GR1,5\r\n  EXIT\r\n", "  LEA GR1,5\r\n  EXIT\r\n  DC 7\r\n", std::nullopt},
        {"  JMP S\r\n  DC 9\r\nS LEA GR1,5\r\n  EXIT\r\n", "  JMP S\r\nS LEA GR1,5\r\n  EXIT\r\n", std::nullopt},
        {"  LEA GR1,5\r\n  EXIT\r\n", "  LEA GR1,6\r\n  EXIT\r\n", "step 1: LEA at 0000 leaves GR1 = 0005, the reference 0006"},
        {"  LEA GR1,5\r\n  EXIT\r\n", "  LEA GR1,5\r\n  LEA GR2,0\r\n  EXIT\r\n",
         "step 2: runs EXIT at 0002, the reference LEA at 0002"},
        {"  ST GR0,A\r\n  EXIT\r\nA DC 1\r\n", "  ST GR1,A\r\n  EXIT\r\nA DC 1\r\nB DC 2\r\n", std::nullopt},
        {"  LEA GR1,1\r\n  ST GR1,A\r\n  EXIT\r\nA DC 1\r\n", "  LEA GR1,1\r\n  ST GR0,A\r\n  EXIT\r\nA DC 1\r\n",
         "step 2: ST at 0002 writes 0001 at 0005, the reference 0000 at 0005"},
        {"  LEA GR4,9\r\n  LEA GR1,1\r\n  PUSH 0,GR1\r\n  EXIT\r\n", "  LEA GR4,9\r\n  LEA GR1,1\r\n  PUSH 1\r\n  EXIT\r\n",
         std::nullopt},
        {"  LEA GR4,9\r\n  PUSH 2\r\n  EXIT\r\n", "  LEA GR4,9\r\n  PUSH 3\r\n  EXIT\r\n",
         "step 2: PUSH at 0002 writes 0002 at 0007, the reference 0003 at 0007"},
        {"  ST GR1,A\r\n  EXIT\r\nA DC 1\r\n", "  ST GR1,A\r\n  ST GR1,A\r\n  EXIT\r\nA DC 1\r\n",
         "step 2: runs EXIT at 0002, the reference ST at 0002"},
        {"  PUSH 3\r\n  EXIT\r\n", "  LEA GR4,9\r\n  EXIT\r\n", "step 1: runs PUSH at 0000, the reference LEA at 0000"},
        // A jump out of memory ends the run without a step at the next address.
        {"  JMP 250\r\n", "  JMP 2\r\n  EXIT\r\n", "step 2: the run has ended, the reference runs EXIT at 0002"},
        {"  JMP 2\r\n  EXIT\r\n", "  JMP 250\r\n", "step 2: runs EXIT at 0002, the reference has ended"},
        // Both go on alike until the limit.
        {"L JMP L\r\n", "L JMP L\r\n", std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(departure(row.mine, row.reference), row.expected) << row.mine;
}

}  // namespace
}  // namespace comet
