// IN and OUT: the five-word group, character packing, Cancel, and buffers outside memory.
#include <gtest/gtest.h>

#include <vector>

#include "emulator/engine.hpp"
#include "ui/headless.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

constexpr int32_t kBuffer = 0x20;
constexpr int32_t kLengthWord = 0x30;

struct StdIo : ::testing::Test {
    HeadlessDisplay display;
    Workbench wb{display};
    StdIo() {
        Label3_Click(wb);
    }
    void set(int32_t address, int32_t value) { wb.memory.writableCell(address + 1).value = value; }
    int32_t word(int32_t address) const { return wb.memory.cell(address + 1).value; }
    // The group IN/OUT buffer,length at address 0, then one press.
    void runGroup(int opcode, int32_t buffer, int32_t length, int32_t lengthAddress = kLengthWord) {
        const int32_t group[] = {opcode << 8, buffer, 0x0100, 5, lengthAddress};
        for (int i = 0; i < 5; ++i) set(i, group[i]);
        if (isProgramAddress(lengthAddress)) set(lengthAddress, length);
        setBoxText(wb, kPcBox, u"0000");
        Command2_Click(wb);
    }
    void input(const Text& answer, int32_t length) {
        display.inputAnswers.push_back(answer);
        runGroup(op::IN, kBuffer, length);
    }
    std::vector<int32_t> buffer(int n) const {
        std::vector<int32_t> out;
        for (int i = 0; i < n; ++i) out.push_back(word(kBuffer + i));
        return out;
    }
};

TEST_F(StdIo, InputStoresTheFirstLCharactersTwoToAWord) {
    struct Row { Text answer; int32_t length; std::vector<int32_t> words; };
    const Row rows[] = {
        {u"ABCDEFG", 5, {0x4142, 0x4344, 0x4500, 0x7777}},
        {u"AB", 6, {0x4142, 0x0000, 0x0000, 0x7777}},
        {u"", 3, {0x0000, 0x0000, 0x7777}},
        {u"ABCD", 0, {0x7777}},
        {u"ABCD", -4, {0x7777}},
        {u"ｱｲ", 2, {signed16(0xB1B2), 0x7777}},  // half-width katakana, stored as signed 16-bit
        {u"あ?", 2, {signed16(0xA03F), 0x7777}},  // CP932 82A0: its low byte
        {Text(u"A\0B", 3), 3, {0x4100, 0x4200, 0x7777}},
    };
    for (const auto& r : rows) {
        display.shown.clear();
        for (int i = 0; i < 8; ++i) set(kBuffer + i, 0x7777);
        input(r.answer, r.length);
        EXPECT_EQ(buffer(static_cast<int>(r.words.size())), r.words) << toUtf8(r.answer) << " L=" << r.length;
        EXPECT_EQ(word(kLengthWord), r.length);  // IN never writes the length word
        ASSERT_EQ(display.shown.size(), 1u);
        EXPECT_EQ(display.shown[0].kind, ShownBox::Input);
        EXPECT_EQ(display.shown[0].title, u"COMET 標準入力");
        EXPECT_EQ(wb.txtGR[kPcBox], u"0002");
    }
}

TEST_F(StdIo, InputCancelStoresZeroBytes) {
    for (int i = 0; i < 3; ++i) set(kBuffer + i, 0x7777);
    display.inputAnswers.push_back(std::nullopt);
    runGroup(op::IN, kBuffer, 4);
    EXPECT_EQ(buffer(3), (std::vector<int32_t>{0, 0, 0x7777}));
}

TEST_F(StdIo, OutputShowsLCharacters) {
    struct Row { std::vector<int32_t> words; int32_t length; Text text; };
    const Row rows[] = {
        {{0x4142, 0x4300}, 3, u"ABC"},
        {{0x4142, 0x4300}, 4, Text(u"ABC\0", 4)},
        {{0x4142}, 0, u""},
        {{0x4142}, -1, u""},
        {{signed16(0xB1DF)}, 2, u"ｱﾟ"},
        {{signed16(0x80A0), signed16(0xE0FF)}, 4, u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& r : rows) {
        display.shown.clear();
        for (size_t i = 0; i < r.words.size(); ++i) set(kBuffer + static_cast<int32_t>(i), r.words[i]);
        runGroup(op::OUT, kBuffer, r.length);
        ASSERT_EQ(display.shown.size(), 1u);
        EXPECT_EQ(display.shown[0].kind, ShownBox::OkCancel);
        EXPECT_EQ(display.shown[0].title, u"COMET 標準出力");
        EXPECT_EQ(display.shown[0].text, r.text) << r.length;
    }
}

TEST_F(StdIo, OutputCancelHaltsARunAfterTheOutput) {
    Label3_Click(wb);  // Run Mode
    set(kBuffer, 0x4142);
    set(5, 0x0000);  // EXIT after the group
    display.okCancelAnswers = {false};
    runGroup(op::OUT, kBuffer, 2);
    EXPECT_TRUE(wb.run.halted);
    EXPECT_EQ(wb.txtGR[kPcBox], u"0002");  // the group's JMP comes next
    EXPECT_EQ(display.shown.size(), 1u);
}

TEST_F(StdIo, TransfersOutsideMemoryAreReportedBeforeAnyChange) {
    struct Row { int opcode; int32_t buffer, length, lengthAddress; const char* message; };
    const Row rows[] = {
        {op::OUT, 0x00C7, 3, kLengthWord, "*Address Error (Address=200)"},  // second buffer word
        {op::OUT, -2, 1, kLengthWord, "*Address Error (Address=-2)"},
        {op::OUT, kBuffer, 1, 0x00C8, "*Address Error (Address=200)"},  // length word
        {op::IN, 0x00C7, 3, kLengthWord, "*Address Error (Address=200)"},
        {op::IN, 0x0010, 32767, kLengthWord, "*Address Error (Address=200)"},
    };
    for (const auto& r : rows) {
        display.shown.clear();
        display.inputAnswers.push_back(u"XYZ");
        const Memory before = wb.memory;
        runGroup(r.opcode, r.buffer, r.length, r.lengthAddress);
        ASSERT_FALSE(display.shown.empty());
        EXPECT_EQ(display.shown.back().text, fromAscii(r.message));
        EXPECT_EQ(display.shown.back().kind, ShownBox::Message);
        EXPECT_EQ(wb.run.haltedBy, Halt::AddressError);
        EXPECT_EQ(wb.txtGR[kPcBox], u"0000");
        for (int c = kBuffer + 1; c < kCellCount; ++c) {
            if (c == kLengthWord + 1) continue;
            EXPECT_EQ(wb.memory.cell(c).value, before.cell(c).value) << c;
        }
    }
}

}  // namespace
}  // namespace comet
