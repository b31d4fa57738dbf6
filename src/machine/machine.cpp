#include "machine/machine.hpp"

namespace comet {

std::string_view className(OpClass c) {
    static constexpr std::array<std::string_view, 12> names{"",    "CM0", "CM1", "CM2", "CM3", "MC0",
                                                            "MC1", "PS0", "PS1", "PS2", "PS3", "REG"};
    return names[static_cast<size_t>(c)];
}

std::string_view operandNotation(OpClass c) {
    static constexpr std::array<std::string_view, 12> forms{
        "", "r,adr[,x]", "adr[,x]", "r", "", "buffer,length", "", "[adr]", "", "n", "n | #hhhh | 'chars' | label", "",
    };
    return forms[static_cast<size_t>(c)];
}

}  // namespace comet
