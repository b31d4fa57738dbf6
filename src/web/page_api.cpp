// What the page calls: one function per user action, each run to completion by the
// window logic (a press that shows a box or runs in Run Mode is awaited by the page),
// and the state to draw, as JSON. The page keeps no state of the workbench's own.
#include <emscripten.h>

#include <string>

#include "session/actions.hpp"
#include "session/debugging.hpp"
#include "session/exec_status.hpp"
#include "session/instruction_help.hpp"
#include "session/mainwindow.hpp"
#include "session/problems.hpp"
#include "session/readings.hpp"
#include "session/reports.hpp"
#include "session/source_lines.hpp"
#include "web/page_session.hpp"
#include "web/page_state.hpp"
#include "workbench/editor_text.hpp"
#include "workbench/values.hpp"

namespace comet {
namespace {

// What step back may keep in the page: some 500,000 steps, more than anyone steps
// back through, while the tab's memory (which a WebAssembly heap never gives back)
// stays far below what a school machine's browser allows a tab.
constexpr size_t kPageUndoBudget = size_t{64} << 20;

void click(Workbench& wb, int control) {
    switch (control) {
        case kCommand1: userPressesAsm(wb); break;
        case kCommand3: userOpensReport(wb, Report::Help); break;
        case kCommand4: userOpensReport(wb, Report::Object); break;
        case kCommand5: userOpensReport(wb, Report::History); break;
        case kLabel3: userSwitchesMode(wb); break;
        case kCombo1LostFocus: userLeavesChooser(wb); break;
        default: break;
    }
}

}  // namespace

PageSession& session() {
    static PageSession s;
    return s;
}

}  // namespace comet

using comet::deliver;
using comet::During;
using comet::Workbench;

extern "C" {

// Creates the main window's state and runs its load handler. The page watches for
// endless loops as the desktop window does.
EMSCRIPTEN_KEEPALIVE void web_load() {
    Workbench& wb = comet::session().wb;
    wb.debug.undo.setBudget(comet::kPageUndoBudget);
    wb.debug.detectLoops = true;
    comet::startWorkbench(wb);
}

// A click on a button, the mode label, or the chooser losing the focus (Control).
EMSCRIPTEN_KEEPALIVE void web_click(int control) {
    deliver([control](Workbench& wb) { comet::click(wb, control); });
}

// ---- Presses ----

// "Exec" (0) or "Run to cursor" (1); 1 when the page is to watch the press step by step.
EMSCRIPTEN_KEEPALIVE int web_press(int toCursor) {
    bool watched = false;
    deliver([&](Workbench& wb) { watched = comet::userBeginsPress(wb, toCursor != 0); });
    return watched ? 1 : 0;
}

// The next step of a watched press; 0 once the press has ended.
EMSCRIPTEN_KEEPALIVE int web_watch_step() {
    bool goesOn = false;
    deliver([&](Workbench& wb) { goesOn = comet::userWatchesStep(wb); }, During::Press);
    return goesOn ? 1 : 0;
}

// Stop, while a press is watched.
EMSCRIPTEN_KEEPALIVE void web_stop() {
    deliver([](Workbench& wb) {
        if (wb.debug.press.active) comet::userStopsWatchedPress(wb);
    }, During::Press);
}

EMSCRIPTEN_KEEPALIVE void web_back() { deliver(comet::userStepsBack); }

EMSCRIPTEN_KEEPALIVE void web_reset() { deliver(comet::userResets); }

EMSCRIPTEN_KEEPALIVE void web_set_speed(int instructionsPerSecond) {
    deliver([&](Workbench& wb) { comet::userSetsSpeed(wb, instructionsPerSecond); });
}

// ---- Breakpoints and the lists ----

// A click in the editor's breakpoint gutter beside `line` (from 1).
EMSCRIPTEN_KEEPALIVE void web_toggle_breakpoint(int line) {
    deliver([&](Workbench& wb) { comet::userTogglesBreakpoint(wb, line); });
}

EMSCRIPTEN_KEEPALIVE void web_toggle_breakpoint_at_caret() { deliver(comet::userTogglesBreakpointAtCaret); }

// A double-click on object listing line `row` (from 0).
EMSCRIPTEN_KEEPALIVE void web_toggle_listing_breakpoint(int row) {
    deliver([&](Workbench& wb) { comet::userTogglesListingBreakpoint(wb, row); });
}

EMSCRIPTEN_KEEPALIVE void web_click_listing(int row) {
    deliver([&](Workbench& wb) { comet::userClicksListing(wb, row); });
}

EMSCRIPTEN_KEEPALIVE void web_go_to_problem(int row) {
    if (row < 0) return;
    deliver([&](Workbench& wb) { comet::userGoesToProblem(wb, static_cast<size_t>(row)); });
}

EMSCRIPTEN_KEEPALIVE void web_replace_tabs() { deliver(comet::replaceTabsByBlanks); }

// ---- The editor and the boxes ----

EMSCRIPTEN_KEEPALIVE void web_edit_box(int k, const char* text) {
    if (k < 0 || k >= comet::kBoxCount) return;
    deliver([&](Workbench& wb) { comet::userEditsBox(wb, k, comet::fromUtf8(text)); });
}

EMSCRIPTEN_KEEPALIVE void web_choose(int index) {
    if (index < 0 || index >= static_cast<int>(comet::kChooserItems.size())) return;
    deliver([index](Workbench& wb) { comet::userChoosesItem(wb, index); });
}

// The editor's text as the user left it (lines joined with CR LF).
EMSCRIPTEN_KEEPALIVE void web_set_source(const char* text) {
    deliver([&](Workbench& wb) { comet::userSetsSource(wb, comet::fromUtf8(text)); });
}

// The user's edit, in the editor's positions (one per line break): [from, to) of the
// text before it replaced by `insert` (lines joined with CR LF). Only the edit crosses
// into the logic, not the whole text at every key. 0 when the text edited is not the
// editor's (its length after the edit is not `length`): the page then sends it whole.
EMSCRIPTEN_KEEPALIVE int web_edit_source(int from, int to, const char* insert, int length) {
    bool edited = false;
    deliver([&](Workbench& wb) {
        const comet::Text& text = wb.text1.text;
        const auto begin = static_cast<size_t>(comet::logicOffsetOf(text, from));
        const auto end = static_cast<size_t>(comet::logicOffsetOf(text, to));
        comet::Text after = text.substr(0, begin) + comet::fromUtf8(insert) + text.substr(end);
        if (comet::widgetPosOf(after, static_cast<int32_t>(after.size())) != length) return;
        comet::userSetsSource(wb, after);
        edited = true;
    });
    return edited ? 1 : 0;
}

// The editor's selection in its own positions (one per line break).
EMSCRIPTEN_KEEPALIVE void web_select(int from, int to) {
    deliver([&](Workbench& wb) {
        const int32_t start = comet::logicOffsetOf(wb.text1.text, from);
        comet::userSelects(wb, start, comet::logicOffsetOf(wb.text1.text, to) - start);
    });
}

// ---- The output console ----

EMSCRIPTEN_KEEPALIVE void web_console(int on) {
    deliver([on](Workbench& wb) { comet::userTurnsConsole(wb, on != 0); });
}

EMSCRIPTEN_KEEPALIVE void web_console_clear() { deliver(comet::userClearsConsole); }

// The console's input field as the user left it: the line the next IN reads.
EMSCRIPTEN_KEEPALIVE void web_console_input(const char* text) {
    deliver([&](Workbench& wb) { wb.console.input = comet::fromUtf8(text); });
}

// ---- The viewer ----

// The viewer's outer size in twips.
EMSCRIPTEN_KEEPALIVE void web_viewer_resized(int width, int height) {
    deliver([&](Workbench& wb) { comet::Form_Resize(wb, width, height); }, During::Press);
}

EMSCRIPTEN_KEEPALIVE void web_viewer_closed() {
    deliver([](Workbench& wb) { comet::viewerClosed(wb); }, During::Press);
}

// The version of the editor's text: a new number once the text changed.
EMSCRIPTEN_KEEPALIVE int web_source_version() {
    comet::PageSession& s = comet::session();
    if (s.wb.text1.text != s.sourceShown) {
        s.sourceShown = s.wb.text1.text;
        ++s.sourceVersion;
    }
    return s.sourceVersion;
}

// The editor's text (UTF-8); valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* web_source() {
    static std::string text;
    text = comet::toUtf8(comet::session().wb.text1.text);
    return text.c_str();
}

// The tooltip of line `row` of the object listing (list 1) or the memory dump (list 2),
// UTF-8; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* web_row_reading(int list, int row) {
    static std::string text;
    const Workbench& wb = comet::session().wb;
    text = comet::toUtf8(list == 1 ? comet::listingReading(wb, row) : comet::dumpReading(wb, row));
    return text.c_str();
}

// The help on the instruction, directive or register at `column` (UTF-16 units) of a
// line of the editor (UTF-8), lines joined by CR LF; "" anywhere else. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* web_help_at(const char* line, int column) {
    static std::string text;
    text = comet::toUtf8(comet::helpAt(comet::fromUtf8(line), column).value_or(comet::Text{}));
    return text.c_str();
}

// The tooltip of chooser item `index`: the help on the word it inserts. Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* web_chooser_help(int index) {
    static std::string text;
    const auto& items = comet::session().wb.combo1.items;
    text = index < 0 || static_cast<size_t>(index) >= items.size() ? std::string()
                                                                    : comet::toUtf8(comet::chooserItemHelp(items[static_cast<size_t>(index)]));
    return text.c_str();
}

// The tooltip of register box `k` (GR0..GR4, FR, PC), UTF-8; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* web_box_reading(int k) {
    static std::string text;
    text = k >= 0 && k < comet::kBoxCount ? comet::toUtf8(comet::boxReading(comet::session().wb, k)) : std::string();
    return text.c_str();
}

// Everything the page shows but the editor's text, as JSON; valid until the next call.
// What the page counts and numbers as the logic does; read once, as the page loads.
EMSCRIPTEN_KEEPALIVE const char* web_constants() {
    static const std::string json = comet::constantsJson();
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* web_state() {
    static std::string json;
    const int version = web_source_version();
    const comet::PageSession& s = comet::session();
    const bool unsaved = comet::hasUnsavedChanges(s.doc, s.wb.text1.text);
    json = comet::stateJson(s.wb, {comet::windowTitleOf(s.doc, unsaved), unsaved, s.documentNumber, s.display.running(), version});
    return json.c_str();
}

}  // extern "C"
