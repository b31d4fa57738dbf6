// What the page calls: one function per user action, each run to completion by the
// window logic (a press that shows a box or runs in Run Mode is awaited by the page),
// and the state to draw, as JSON. The page keeps no state of the workbench's own.
#include <emscripten.h>

#include <string>
#include <string_view>
#include <variant>

#include "emulator/engine.hpp"
#include "ui/exec_status.hpp"
#include "ui/mainwindow.hpp"
#include "ui/reports.hpp"
#include "ui/source_file.hpp"
#include "web/json_writer.hpp"
#include "web/web_display.hpp"
#include "workbench/editor_text.hpp"
#include "workbench/lists.hpp"

namespace comet {
namespace {

struct Session {
    WebDisplay display;
    Workbench wb{display};
    bool inHandler = false;  // a handler is under way (waiting for a box, or pausing a run)
};

Session& session() {
    static Session s;
    return s;
}

// Runs one handler unless one is under way, as the desktop window does.
template <class Handler>
void deliver(Handler&& handler) {
    Session& s = session();
    if (s.inHandler) return;
    s.inHandler = true;
    handler(s.wb);
    s.inHandler = false;
}

// The controls a click reaches, numbered as the page numbers them.
enum Control { kCommand1 = 1, kCommand2, kCommand3, kCommand4, kCommand5, kLabel3, kCombo1LostFocus };

void click(Workbench& wb, int control) {
    switch (control) {
        case kCommand1: Command1_Click(wb); break;
        case kCommand2: userPressesExec(wb); break;
        case kCommand3: Command3_Click(wb); break;
        case kCommand4: Command4_Click(wb); break;
        case kCommand5: Command5_Click(wb); break;
        case kLabel3: Label3_Click(wb); break;
        case kCombo1LostFocus: Combo1_LostFocus(wb); break;
        default: break;
    }
}

// ---- The state to draw ----

void writeLines(JsonWriter& json, std::string_view name, const std::vector<Text>& lines) {
    json.key(name);
    json.beginArray();
    for (const Text& line : lines) json.value(line);
    json.endArray();
}

void writeEditor(JsonWriter& json, const Editor& e) {
    json.key("source");
    json.value(e.text);
    json.key("selStart");
    json.value(int64_t{widgetPosOf(e.text, e.selStart)});
    json.key("selEnd");
    json.value(int64_t{widgetPosOf(e.text, e.selStart + e.selLength)});
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
    json.key("boxWidth");
    json.value(int64_t{v.boxWidth});
    json.key("boxHeight");
    json.value(int64_t{v.boxHeight});
    json.endObject();
}

std::string stateJson(const Session& s) {
    const Workbench& wb = s.wb;
    JsonWriter json;
    json.beginObject();
    json.key("title");
    json.value(kAppTitle);
    writeEditor(json, wb.text1);
    writeLines(json, "list1", wb.list1.lines);
    json.key("list1Selected");
    json.value(int64_t{wb.list1.selected});
    writeDump(json, wb);
    writeLines(json, "boxes", {wb.txtGR.begin(), wb.txtGR.end()});
    json.key("label3");
    json.value(wb.label3);
    json.key("label6");
    json.value(wb.label6);
    writeLines(json, "items", wb.combo1.items);
    json.key("chooser");
    json.value(int64_t{wb.combo1.selected});
    writeViewer(json, wb.frmText);
    json.key("running");
    json.value(s.display.running());
    json.endObject();
    return json.text();
}

}  // namespace
}  // namespace comet

using comet::deliver;
using comet::Workbench;

extern "C" {

// Creates the main window's state and runs its load handler.
EMSCRIPTEN_KEEPALIVE void web_load() {
    comet::Form_Load(comet::session().wb);
}

// A click on a button, the mode label, or the chooser losing the focus (Control).
EMSCRIPTEN_KEEPALIVE void web_click(int control) {
    deliver([control](Workbench& wb) { comet::click(wb, control); });
}

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

// The editor's selection in its own positions (one per line break).
EMSCRIPTEN_KEEPALIVE void web_select(int from, int to) {
    deliver([&](Workbench& wb) {
        const int32_t start = comet::logicOffsetOf(wb.text1.text, from);
        comet::userSelects(wb, start, comet::logicOffsetOf(wb.text1.text, to) - start);
    });
}

// A file's bytes become the editor's text, read as the desktop reads a file; a file that
// is not text leaves the editor as it was, and a message box says why.
EMSCRIPTEN_KEEPALIVE void web_open_file(const char* bytes, int size) {
    const std::string_view file(bytes, static_cast<size_t>(size));
    deliver([&](Workbench& wb) {
        auto read = comet::sourceFileOf("the file", file);
        if (const auto* error = std::get_if<comet::FileError>(&read)) {
            wb.display().messageBox(comet::fromUtf8(error->message), comet::kAppTitle);
            return;
        }
        comet::userSetsSource(wb, std::get<comet::SourceFile>(read).text);
    });
}

// The viewer's outer size in twips.
EMSCRIPTEN_KEEPALIVE void web_viewer_resized(int width, int height) {
    deliver([&](Workbench& wb) { comet::Form_Resize(wb, width, height); });
}

EMSCRIPTEN_KEEPALIVE void web_viewer_closed() {
    deliver([](Workbench& wb) { comet::viewerClosed(wb); });
}

// Everything the page shows, as JSON; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* web_state() {
    static std::string json;
    json = comet::stateJson(comet::session());
    return json.c_str();
}

}  // extern "C"
