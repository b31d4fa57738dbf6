// Arbitrary bytes as the editor's text (UTF-8, invalid sequences included), then
// "ASM" twice: the listing, the dump and the messages are sound and the same both times.
#include <cstdint>
#include <string_view>

#include "invariants.hpp"
#include "ui/headless.hpp"
#include "ui/mainwindow.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace comet;
    using namespace comet::fuzz;
    HeadlessDisplay display;
    Workbench wb;
    wb.display = &display;
    Form_Load(wb);
    userSetsSource(wb, fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)));
    Command1_Click(wb);
    require(checkAssembly(wb));
    require(checkDisplay(wb));
    const auto firstListing = wb.list1.lines;
    const auto firstBoxes = display.shown.size();
    Command1_Click(wb);
    require(wb.list1.lines == firstListing ? "" : "a second assembly lists differently");
    require(display.shown.size() == 2 * firstBoxes ? "" : "a second assembly reports differently");
    return 0;
}
