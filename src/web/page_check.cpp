// File ▸ Check against cases…: the program in the editor run against a case file's
// visible cases as --grade runs a submission, its account as JSON for the page's table.
// With the grading it calls, this is the page's only code built with C++ exceptions:
// the case reader says what is wrong with a file by throwing. Nothing here waits for the
// page, so Asyncify never has to unwind through the exceptions' wrappers.
#include <emscripten.h>

#include <string>
#include <string_view>
#include <vector>

#include "grading/feedback.hpp"
#include "session/headless.hpp"
#include "web/json_writer.hpp"
#include "web/page_session.hpp"

namespace comet {
namespace {

void member(JsonWriter& json, std::string_view key, const std::string& utf8) {
    json.key(key);
    json.value(fromUtf8(utf8));
}

void member(JsonWriter& json, std::string_view key, const std::vector<std::string>& lines) {
    json.key(key);
    json.beginArray();
    for (const auto& line : lines) json.value(fromUtf8(line));
    json.endArray();
}

// {"score", "everyCase", "hidden", "warnings": [...], "cases": [{"name", "result", "details": [...]}]}
std::string feedbackJson(const Feedback& f) {
    JsonWriter json;
    json.beginObject();
    member(json, "score", f.score);
    member(json, "everyCase", f.everyCase);
    member(json, "hidden", f.hidden);
    member(json, "warnings", f.warnings);
    json.key("cases");
    json.beginArray();
    for (const auto& c : f.cases) {
        json.beginObject();
        member(json, "name", c.name);
        member(json, "result", c.result);
        member(json, "details", c.details);
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.text();
}

std::string errorJson(const std::string& message) {
    JsonWriter json;
    json.beginObject();
    member(json, "error", message);
    json.endObject();
    return json.text();
}

}  // namespace
}  // namespace comet

extern "C" {

// The editor's program against the case file `name` of `length` bytes: its account as
// above, or {"error"} when the case file (or the reference it names) cannot be used.
// Valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* web_check_cases(const char* name, const char* bytes, int length) {
    static std::string json;
    try {
        const comet::Exercise exercise =
            comet::exerciseOf(std::string_view(bytes, static_cast<size_t>(length)), name, comet::kDefaultMaxSteps);
        const comet::Grader grader(exercise);
        json = comet::feedbackJson(
            comet::feedbackOf(exercise, grader.gradeText(comet::kEditorProgramName, comet::session().wb.text1.text)));
    } catch (const comet::CaseFileError& e) {
        json = comet::errorJson(e.what());
    }
    return json.c_str();
}

}  // extern "C"
