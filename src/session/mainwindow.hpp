// The main window's handlers: load, "ASM", the mnemonic chooser.
#pragma once

#include <array>

#include "workbench/sample.hpp"
#include "workbench/workbench.hpp"

namespace comet {

extern const std::array<Text, 35> kChooserItems;   // the mnemonic chooser's items
// The tooltip of a chooser item: the help on the word it inserts, in the current language.
Text chooserItemHelp(const Text& item);

// Creates the state of a freshly created main window (sample program in the editor)
// and runs its load handler.
void Form_Load(Workbench& wb);

void Command1_Click(Workbench& wb);     // "ASM": SynANA, semANA, DumpMem; then the problem list
void Combo1_Click(Workbench& wb);       // inserts the chosen word at the caret or over the selection
void Combo1_LostFocus(Workbench& wb);   // the focus goes back to Text1

// ---- User actions the window delivers ----
void userEditsBox(Workbench& wb, int k, const Text& text);      // typing into txtGR(k); none during a press
void userChoosesItem(Workbench& wb, int index);                  // picking a chooser item (also the same again)
void userSetsSource(Workbench& wb, const Text& text);            // the editor's text as the user left it
// The editor's selection, kept within the text as a text widget keeps it; false when
// the start or the length had to be cut to fit.
bool userSelects(Workbench& wb, int64_t start, int64_t length);

}  // namespace comet
