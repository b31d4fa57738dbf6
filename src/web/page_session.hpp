// The page's one workbench, the document its editor holds, and the rule by which the
// page's actions reach them: one at a time, as the desktop window delivers its events.
#pragma once

#include <optional>
#include <string>

#include "files/document.hpp"
#include "files/source_file.hpp"
#include "web/web_display.hpp"
#include "workbench/workbench.hpp"

namespace comet {

struct PageSession {
    WebDisplay display;
    Workbench wb{display};
    bool inHandler = false;  // a handler is under way (waiting for a box, or pausing a run)

    // ---- The document ----
    Document doc = startDocument();
    int documentNumber = 0;               // counts the documents loaded: the editor starts a new undo history for each
    std::optional<SourceFile> readFile;   // a file read and waiting to be opened (after the question)
    std::string readName;                 // ...and its name
    std::string saved;                    // the bytes of the last Save, until the next

    // ---- The editor's text as the page last had it ----
    Text sourceShown;
    int sourceVersion = 0;  // a new number whenever the text differs from sourceShown
};

PageSession& session();

// Who may act while a press is watched step by step: only the press itself, Stop and
// the viewer's window; every other action waits for its end, as in the desktop window.
enum class During { Idle, Press };

// Runs one handler unless one is under way, as the desktop window does; false when it
// did not run.
template <class Handler>
bool deliver(Handler&& handler, During when = During::Idle) {
    PageSession& s = session();
    if (s.inHandler || (when == During::Idle && s.wb.debug.press.active)) return false;
    s.inHandler = true;
    handler(s.wb);
    s.inHandler = false;
    return true;
}

}  // namespace comet
