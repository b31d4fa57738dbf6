#include "web/page_state.hpp"

#include <string_view>
#include <vector>

#include "session/debugging.hpp"
#include "session/problems.hpp"
#include "session/source_lines.hpp"
#include "session/view.hpp"
#include "web/json_writer.hpp"
#include "workbench/editor_text.hpp"
#include "workbench/lists.hpp"

namespace comet {
namespace {

// ---- The classic controls ----

template <class Lines>
void writeLines(JsonWriter& json, std::string_view name, const Lines& lines) {
    json.key(name);
    json.beginArray();
    for (const Text& line : lines) json.value(line);
    json.endArray();
}

void writeNumber(JsonWriter& json, std::string_view name, int64_t number) {
    json.key(name);
    json.value(number);
}

// The text itself is read apart (web_source), only when its version changed: writing a
// long text into every state would slow down every key typed.
void writeEditor(JsonWriter& json, const Editor& e, int sourceVersion) {
    writeNumber(json, "sourceVersion", sourceVersion);
    writeNumber(json, "selStart", widgetPosOf(e.text, e.selStart));
    writeNumber(json, "selEnd", widgetPosOf(e.text, e.selStart + e.selLength));
}

void writeDump(JsonWriter& json, const Workbench& wb) {
    json.key("list2");
    json.beginArray();
    for (int32_t i = 0; i < dumpLineCount(wb); ++i) json.value(dumpLineText(wb, i));
    json.endArray();
}

void writeViewer(JsonWriter& json, const Viewer& v) {
    json.key("viewer");
    json.beginObject();
    json.key("exists");
    json.value(v.exists);
    json.key("caption");
    json.value(v.caption);
    json.key("text");
    json.value(v.text);
    writeNumber(json, "boxWidth", v.boxWidth);
    writeNumber(json, "boxHeight", v.boxHeight);
    json.key("opensAtEnd");
    json.value(v.opensAtEnd);
    json.endObject();
}

// ---- Where things are ----

constexpr std::string_view kKindNames[] = {"error", "undefined", "warning", "run"};

// The editor's positions [from, to) a problem underlines; -1 for a problem with no place.
std::pair<int32_t, int32_t> underlinedRange(const Text& text, const std::vector<int32_t>& starts, const Problem& p) {
    const auto line = static_cast<size_t>(p.line) - 1;
    if (p.line < 1 || line >= starts.size()) return {-1, -1};
    const int32_t start = starts[line];
    const auto [first, second] = underlinedColumns(p, lineContentEnd(text, starts, line) - start);
    return {widgetPosOf(text, start + first), widgetPosOf(text, start + second)};
}

void writeProblems(JsonWriter& json, const Workbench& wb) {
    json.key("problemSummary");
    json.value(problemSummary(wb));
    const std::vector<int32_t> starts = lineStarts(wb.text1.text);
    json.key("problems");
    json.beginArray();
    for (const Problem& p : problemRows(wb)) {
        const auto [from, to] = underlinedRange(wb.text1.text, starts, p);
        json.beginObject();
        json.key("kind");
        json.value(fromAscii(kKindNames[static_cast<size_t>(p.kind)]));
        writeNumber(json, "from", from);
        writeNumber(json, "to", to);
        json.key("row");
        json.value(problemRowText(p));
        json.key("tip");
        json.value(problemTip(p));
        json.endObject();
    }
    json.endArray();
    writeNumber(json, "pcLine", pcSourceLine(wb));
}

// Indexes of the rows `marked` picks among the first `count`.
template <class Marked>
void writeRows(JsonWriter& json, std::string_view name, int32_t count, Marked marked) {
    json.key(name);
    json.beginArray();
    for (int32_t i = 0; i < count; ++i)
        if (marked(i)) json.value(int64_t{i});
    json.endArray();
}

void writeChanges(JsonWriter& json, const Workbench& wb) {
    const ChangeMarks& changed = wb.changed;
    writeRows(json, "changedBoxes", kBoxCount, [&](int32_t k) { return changed.boxes[static_cast<size_t>(k)]; });
    writeRows(json, "changedDump", dumpLineCount(wb), [&](int32_t a) { return changed.words[static_cast<size_t>(a)]; });
}

// ---- Debugging ----

void writeDebugging(JsonWriter& json, const Workbench& wb) {
    const Debugger& d = wb.debug;
    json.key("breakpoints");
    json.beginArray();
    for (const Breakpoint& b : d.breakpoints.set) json.value(int64_t{b.line});
    json.endArray();
    writeRows(json, "listingBreakpoints", static_cast<int32_t>(wb.list1.lines.size()),
              [&](int32_t i) { return listingLineHasBreakpoint(wb, i); });
    writeNumber(json, "undoSteps", static_cast<int64_t>(d.undo.steps()));
    json.key("pressActive");
    json.value(d.press.active);
    writeNumber(json, "speed", d.speed);
    json.key("speeds");
    json.beginArray();
    for (const int speed : kWatchSpeeds) json.value(int64_t{speed});
    json.endArray();
    json.key("status");
    json.value(statusBarText(wb, true));
}

// What the page brings into view whenever viewFollows moves on, and the console.
void writeViewAndConsole(JsonWriter& json, const Workbench& wb) {
    const ViewTargets view = viewTargets(wb);
    json.key("view");
    json.beginObject();
    writeNumber(json, "follows", static_cast<int64_t>(wb.viewFollows));
    writeNumber(json, "editorLine", view.editorLine);
    writeNumber(json, "contextLines", kViewContextLines);
    writeNumber(json, "listingRow", view.listingRow);
    writeNumber(json, "dumpRow", view.dumpRow);
    json.endObject();
    json.key("console");
    json.beginObject();
    json.key("on");
    json.value(wb.console.on);
    writeNumber(json, "changes", static_cast<int64_t>(wb.console.changes));
    writeLines(json, "lines", wb.console.lines);
    json.key("input");
    json.value(wb.console.input);
    json.endObject();
}

}  // namespace

std::string stateJson(const Workbench& wb, const PageShows& page) {
    JsonWriter json;
    json.beginObject();
    json.key("appTitle");
    json.value(kAppTitle);
    json.key("title");
    json.value(page.title);
    json.key("unsaved");
    json.value(page.unsaved);
    writeNumber(json, "documentNumber", page.documentNumber);
    writeEditor(json, wb.text1, page.sourceVersion);
    writeLines(json, "list1", wb.list1.lines);
    writeNumber(json, "list1Selected", wb.list1.selected);
    writeDump(json, wb);
    writeLines(json, "boxes", wb.txtGR);
    json.key("label3");
    json.value(wb.label3);
    json.key("label6");
    json.value(wb.label6);
    writeLines(json, "items", wb.combo1.items);
    writeNumber(json, "chooser", wb.combo1.selected);
    writeViewer(json, wb.frmText);
    writeProblems(json, wb);
    writeChanges(json, wb);
    writeDebugging(json, wb);
    writeViewAndConsole(json, wb);
    json.key("running");
    json.value(page.running);
    json.endObject();
    return json.text();
}

std::string constantsJson() {
    JsonWriter json;
    json.beginObject();
    writeNumber(json, "boxCount", kBoxCount);
    json.key("zoomPercents");
    json.beginArray();
    for (const int percent : kZoomPercents) json.value(int64_t{percent});
    json.endArray();
    writeNumber(json, "normalZoom", static_cast<int64_t>(kNormalZoom));
    json.key("controls");
    json.beginObject();
    const std::pair<std::string_view, Control> controls[] = {{"Command1", kCommand1}, {"Command3", kCommand3},
                                                             {"Command4", kCommand4}, {"Command5", kCommand5},
                                                             {"Label3", kLabel3},     {"Combo1LostFocus", kCombo1LostFocus}};
    for (const auto& [name, number] : controls) writeNumber(json, name, number);
    json.endObject();
    json.endObject();
    return json.text();
}

}  // namespace comet
