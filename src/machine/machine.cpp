#include "machine/machine.hpp"

namespace comet {

std::string_view className(OpClass c) {
    static constexpr std::array<std::string_view, 11> names{"CM0", "CM1", "CM2", "CM3", "MC0", "MC1",
                                                            "PS0", "PS1", "PS2", "PS3", "REG"};
    return names[static_cast<size_t>(c)];
}

std::optional<ReservedWord> operationOf(int opcode) {
    for (const auto& w : kReservedWords) {
        const bool machineOp = w.cls != OpClass::REG && w.cls != OpClass::PS0 && w.cls != OpClass::PS1 &&
                               w.cls != OpClass::PS2 && w.cls != OpClass::PS3;
        if (machineOp && w.code == opcode) return w;
    }
    return std::nullopt;
}

}  // namespace comet
