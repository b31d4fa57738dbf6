// Arbitrary bytes as a session script: every action leaves a sound workbench, and
// every Run Mode press ends within a step budget.
#include <cstdint>
#include <sstream>
#include <string>

#include "app/script.hpp"
#include "invariants.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace comet;
    using namespace comet::fuzz;
    static constexpr long kStepBudget = 2000;
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    std::ostringstream err;
    runScript(script, out, err, [](Workbench& wb, HeadlessDisplay& display, bool beforeLine) {
        if (beforeLine) {
            display.interruptAfter = std::min(display.interruptAfter.value_or(kStepBudget), kStepBudget);
            return;
        }
        require(checkAssembly(wb));
        require(checkDisplay(wb));
    });
    return 0;
}
