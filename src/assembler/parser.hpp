// Statement head and operand parsers, and the code generators of each class.
#pragma once

#include "ui/workbench.hpp"

namespace comet {

// ---- Parsers ----
TextView lexHead(Workbench& wb, TextView s);    // label and operation into the statement fields
TextView lexOprReg(Workbench& wb, TextView s);  // one register operand into the operand value
TextView lexOprAdr(Workbench& wb, TextView s);  // one address operand into the operand value and tag

// ---- Generators, one per class ----
TextView genCM0(Workbench& wb, TextView s);
TextView lexOprCM1(Workbench& wb, TextView& s);
TextView lexOprCM2(Workbench& wb, TextView& s);
TextView lexOprCM3(Workbench& wb, TextView& s);
TextView genMC0(Workbench& wb, TextView s);
TextView lexOprPS0(Workbench& wb, TextView& s);
TextView genDS(Workbench& wb, TextView s);
TextView genDC(Workbench& wb, TextView s);

// Dispatches the rest of the line to the generator of the statement's class.
void genStatement(Workbench& wb, TextView s);

}  // namespace comet
