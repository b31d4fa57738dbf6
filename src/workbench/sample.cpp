#include "workbench/sample.hpp"

namespace comet {

const Text kSampleProgram =
    u"S1  START\r\n"
    u"    LEA   GR4,STACK\r\n"
    u"    LEA   GR0,3\r\n"
    u"J1  Sub   GR0,Counter\r\n"
    u"    JZE   EndProg\r\n"
    u"    CALL   S2\r\n"
    u"    JMP J1 \r\n"
    u"EndProg\r\n"
    u"    EXIT\r\n"
    u"S2  OUT AA,BB\r\n"
    u"    RET\r\n"
    u"AA DC 'Hellow COMET'\r\n"
    u"BB  DC 13\r\n"
    u"Counter\r\n"
    u"    DC  1\r\n"
    u"    DS  10\r\n"
    u"STACK\r\n"
    u"    END\r\n";

}  // namespace comet
