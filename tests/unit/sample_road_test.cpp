// The sample program's 38 words placed into memory by hand run the road the
// workbench's own sample takes: two greetings, then EXIT at 000C.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "emulator/engine.hpp"
#include "ui/headless.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

constexpr int32_t kSampleWords[] = {
    0x1240, 0x0026, 0x1200, 0x0003, 0x2200, 0x001B, 0x0500, 0x000C, 0x0600, 0x000D,  // 0000..0009
    0x0100, 0x0004, 0x0000, 0x0B00, 0x0013, 0x0100, 0x0012, 0x001A, 0x0700,          // 000A..0012
    0x4865, 0x6C6C, 0x6F77, 0x2043, 0x4F4D, 0x4554, 0x0000, 0x000D, 0x0001,          // 0013..001B
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                                                    // 001C..0025
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

struct SampleRoad : ::testing::Test {
    HeadlessDisplay display;
    Workbench wb{display};
    SampleRoad() {
        Label3_Click(wb);
        int32_t a = 0;
        for (int32_t w : kSampleWords) wb.memory.writableCell(a++ + 1).value = signed16(w);
        wb.locationCounter = a;
    }
    void checkEnd() {
        ASSERT_EQ(display.shown.size(), 2u);
        const Text greeting = Text(u"Hellow COMET") + u'\0';
        for (const auto& box : display.shown) {
            EXPECT_EQ(box.kind, ShownBox::OkCancel);
            EXPECT_EQ(box.title, u"COMET 標準出力");
            EXPECT_EQ(box.text, greeting);
            EXPECT_EQ(box.text.size(), 13u);
        }
        EXPECT_TRUE(wb.run.halted);
        EXPECT_EQ(wb.txtGR[4], u"0026");
        EXPECT_EQ(wb.txtGR[0], u"0000");
        EXPECT_EQ(wb.txtGR[kPcBox], u"0000");
        EXPECT_NE(wb.run.history.text().rfind(u"*Exec Address = 000C Code=0000\r\n"), Text::npos);
        EXPECT_EQ(toUtf8(wb.run.history.text()), readFile(COMET_TEST_DIR "/engine/sample_road.history"));
    }
};

TEST_F(SampleRoad, DebugModePressByPress) {
    // The PC box after each press: LEA, LEA, then the loop SUB JZE CALL OUT JMP RET JMP, then SUB JZE EXIT.
    const char* const road[] = {"0002", "0004", "0006", "0008", "000D", "000F", "0012", "000A", "0004", "0006",
                                "0008", "000D", "000F", "0012", "000A", "0004", "0006", "000C", "0000"};
    wb.run.debugMode = true;
    for (const char* pc : road) {
        Command2_Click(wb);
        ASSERT_EQ(toUtf8(wb.txtGR[kPcBox]), pc);
    }
    checkEnd();
}

TEST_F(SampleRoad, RunModeInOnePress) {
    Label3_Click(wb);
    Command2_Click(wb);
    checkEnd();
}

TEST_F(SampleRoad, OutputCancelStopsTheRunAtTheGroupsJump) {
    Label3_Click(wb);
    display.okCancelAnswers = {false};
    Command2_Click(wb);
    EXPECT_EQ(display.shown.size(), 1u);
    EXPECT_EQ(wb.txtGR[kPcBox], u"000F");
    Command2_Click(wb);  // resumes with the JMP over the length word
    EXPECT_EQ(display.shown.size(), 2u);  // the second greeting, then EXIT
    EXPECT_EQ(wb.txtGR[kPcBox], u"0000");
}

}  // namespace
}  // namespace comet
