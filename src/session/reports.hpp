// The text viewer frmText and the three reports shown in it.
#pragma once

#include "workbench/workbench.hpp"

namespace comet {

extern const Text kHelpText;  // the operating instructions and the mnemonic table, 2331 characters

void Command3_Click(Workbench& wb);  // "操作説明": the help text
void Command4_Click(Workbench& wb);  // "オブジェクト表示": the object program
void Command5_Click(Workbench& wb);  // "実行履歴表示": the execution history

// Fits the viewer's text box to its outer size (twips).
void Form_Resize(Workbench& wb, int outerWidth, int outerHeight);

void viewerClosed(Workbench& wb);  // the user closed the viewer; the next report creates it again

}  // namespace comet
