// The workbench as a desktop program: the Qt window.
#pragma once

namespace comet {

// Opens the main window and runs the event loop until the last window is closed. A
// FILE argument is opened in it; then a recovery copy left by a workbench that crashed
// is offered back.
// "--screenshot DIR" instead saves DIR/main.png (the window after "ASM" of the sample
// program), DIR/help.png and DIR/help-table.png (the viewer with the operating
// instructions, at its top and at the mnemonic table) and returns.
// With no display to open a window on, it says so in one line and returns 1 without
// creating the application object.
int runQtWindow(int argc, char** argv);

}  // namespace comet
