// Everything the page draws, as one JSON text: the classic controls, the marks around
// them (problems, the PC's line, what a step changed, breakpoints), the status line,
// the viewer and what the menus may offer. The page keeps no state of the workbench's own.
#pragma once

#include <string>

#include "workbench/workbench.hpp"

namespace comet {

// What the page shows besides the workbench: its document and whether a press runs.
struct PageShows {
    Text title;              // the page's title: the document's name, marked while it has unsaved changes
    bool unsaved = false;    // the editor holds changes its file does not have
    int documentNumber = 0;  // a new number for each document loaded
    bool running = false;    // a press runs at full speed (the page then waits for it)
    int sourceVersion = 0;   // changes with the editor's text
};

std::string stateJson(const Workbench& wb, const PageShows& page);

// The controls a click reaches, numbered as the page numbers them ("Exec" is a press).
enum Control { kCommand1 = 1, kCommand3 = 3, kCommand4, kCommand5, kLabel3, kCombo1LostFocus };

// What the page counts and numbers as the logic does, read once as it loads: the register
// boxes, the zoom levels and the controls' numbers.
std::string constantsJson();

}  // namespace comet
