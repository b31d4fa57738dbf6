#include "emulator/stdio.hpp"

#include <utility>

#include "emulator/memory_access.hpp"
#include "workbench/registers.hpp"

namespace comet {
namespace {

const Text kInputPrompt = u"COMET 標準入力";
const Text kOutputTitle = u"COMET 標準出力";

// The transfer length L, found through the length-address word two words after the next PC.
bool readLength(Workbench& wb, int32_t& length) {
    int32_t lengthAddress = 0;
    return readWord(wb, int64_t{wb.run.nextPc} + 2, lengthAddress) && readWord(wb, lengthAddress, length);
}

// Checks that the (L + 1) div 2 buffer words from y all lie in memory, reporting the first that does not.
bool bufferFits(Workbench& wb, int32_t y, int32_t length) {
    if (length <= 0) return true;
    const int64_t last = int64_t{y} + (int64_t{length} + 1) / 2 - 1;
    if (!isCell(int64_t{y} + 1)) {
        addressError(wb, y);
        return false;
    }
    if (!isCell(last + 1)) {
        addressError(wb, kAddressCount);  // the first buffer word past the last cell
        return false;
    }
    return true;
}

// The cell of the word that holds character i (counting from 1) of a buffer at y.
int32_t bufferCell(int32_t y, int32_t i) { return y + (i - 1) / 2 + 1; }

// Asks the display for a box, and keeps the time it stood open out of the run's time.
template <class Box>
auto timedBox(Workbench& wb, Box box) {
    const double opened = wb.run.clock();
    auto answer = box();
    wb.run.boxSeconds += wb.run.clock() - opened;
    return answer;
}

void toConsole(Console& console, Text line) {
    if (console.lines.size() >= Console::kLineLimit) console.lines.pop_front();
    console.lines.push_back(std::move(line));
    ++console.changes;
}

// The line IN reads: the console's input field, taken (and echoed after "> "), or the box's answer.
Text inputLine(Workbench& wb) {
    Console& console = wb.console;
    if (!console.on) return timedBox(wb, [&] { return wb.display().inputBox(kInputPrompt); });
    Text line = std::exchange(console.input, Text{});
    toConsole(console, u"> " + line);
    return line;
}

// Shows OUT's line; false when the user cancelled its box.
bool outputLine(Workbench& wb, const Text& line) {
    if (!wb.console.on) return timedBox(wb, [&] { return wb.display().okCancelBox(line, kOutputTitle); });
    toConsole(wb.console, visibleText(line));
    return true;
}

}  // namespace

bool emIN(Workbench& wb, int32_t y) {
    DumpMemReg(wb);
    const Text s = inputLine(wb);
    if (!wb.display().inputHadEnded()) wb.debug.loops.noteInput();
    int32_t length = 0;
    if (!readLength(wb, length) || !bufferFits(wb, y, length)) return false;
    const auto n = static_cast<int32_t>(s.size());
    for (int32_t i = 1; i <= length; i += 2) {
        int32_t word = 0;
        if (i <= n) {
            const int high = byteCodeOf(s[static_cast<size_t>(i - 1)]);
            const int low = (i == length || i + 1 > n) ? 0 : byteCodeOf(s[static_cast<size_t>(i)]);
            word = packBytes(high, low);
        }
        storeCell(wb, bufferCell(y, i), word);
    }
    return true;
}

bool emOUT(Workbench& wb, int32_t y) {
    int32_t length = 0;
    if (!readLength(wb, length) || !bufferFits(wb, y, length)) return false;
    Text t;
    for (int32_t i = 1; i <= length; ++i) t += outputCharOf(wordByte(wb.memory.cell(bufferCell(y, i)).value, i % 2));
    DumpMemReg(wb);
    if (!outputLine(wb, t)) {
        wb.run.halted = true;
        wb.run.haltedBy = Halt::OutputCancelled;
    }
    return true;
}

}  // namespace comet
