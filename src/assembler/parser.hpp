// Statement head and operand parsers, and the code generators of each class.
#pragma once

#include <cstdint>

#include "workbench/workbench.hpp"

namespace comet {

// ---- Parsers ----
TextView lexHead(Workbench& wb, TextView s);    // label and operation into the statement fields
TextView lexOprReg(Workbench& wb, TextView s);  // one register operand into the operand value
TextView lexOprAdr(Workbench& wb, TextView s);  // one address operand into the operand value and tag

// ---- Generators, one per class: each reads its operands and writes its words at the location counter ----
TextView genCM0(Workbench& wb, TextView s);       // register, address [, index]
TextView lexOprCM1(Workbench& wb, TextView& s);   // address [, index]
TextView lexOprCM2(Workbench& wb, TextView& s);   // POP register
TextView lexOprCM3(Workbench& wb, TextView& s);   // RET, EXIT: one word, nothing read
TextView genMC0(Workbench& wb, TextView s);       // IN, OUT: the five-word group
TextView lexOprPS0(Workbench& wb, TextView& s);   // START [address]
TextView genDS(Workbench& wb, TextView s);        // DS count
TextView genDC(Workbench& wb, TextView s);        // DC number, name or string

// Dispatches the rest of the line to the generator of the statement's class.
void genStatement(Workbench& wb, TextView s);

}  // namespace comet
