// The page's own texts (its menus, tool bar, boxes and the names of its controls) in
// the current language, handed over at once, so that the page holds no copy of them in
// either language; and the language the user picks in the page.
#include <emscripten.h>

#include <string>
#include <string_view>
#include <utility>

#include "web/json_writer.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

// The page names each text by its id: data-text="PageMenuFile" in the page.
constexpr std::pair<std::string_view, Msg> kPageTexts[] = {
    {"PageMenus", Msg::PageMenus},
    {"PageMenuFile", Msg::PageMenuFile},
    {"PageMenuRun", Msg::PageMenuRun},
    {"PageMenuView", Msg::PageMenuView},
    {"PageNew", Msg::PageNew},
    {"PageOpen", Msg::PageOpen},
    {"PageSave", Msg::PageSave},
    {"PageCheckCases", Msg::PageCheckCases},
    {"PageSwitchMode", Msg::PageSwitchMode},
    {"PageBack", Msg::PageBack},
    {"PageRunToCursor", Msg::PageRunToCursor},
    {"PageReset", Msg::PageReset},
    {"PageToggleBreakpoint", Msg::PageToggleBreakpoint},
    {"PageStop", Msg::PageStop},
    {"PageSpeed", Msg::PageSpeed},
    {"PageFullSpeed", Msg::PageFullSpeed},
    {"PageSpeedPerSecond", Msg::PageSpeedPerSecond},
    {"PageFullShort", Msg::PageFullShort},
    {"PageSpeedShort", Msg::PageSpeedShort},
    {"PageZoomIn", Msg::PageZoomIn},
    {"PageZoomOut", Msg::PageZoomOut},
    {"PageZoomReset", Msg::PageZoomReset},
    {"PageConsole", Msg::PageConsole},
    {"PageLanguage", Msg::PageLanguage},
    {"PageDebugging", Msg::PageDebugging},
    {"PageKeptChanges", Msg::PageKeptChanges},
    {"PageRestoreOffer", Msg::PageRestoreOffer},
    {"PageRestore", Msg::PageRestore},
    {"PageDiscard", Msg::PageDiscard},
    {"PageInstruction", Msg::PageInstruction},
    {"PageObjectProgram", Msg::PageObjectProgram},
    {"PageMemoryDump", Msg::PageMemoryDump},
    {"PageSourceProgram", Msg::PageSourceProgram},
    {"PageBreakpointTip", Msg::PageBreakpointTip},
    {"PageProblems", Msg::PageProblems},
    {"PageCloseProblems", Msg::PageCloseProblems},
    {"PageProblemCountTip", Msg::PageProblemCountTip},
    {"PageReplaceTabs", Msg::ItemReplaceTabs},
    {"PageConsoleInput", Msg::PageConsoleInput},
    {"PageConsoleInputHint", Msg::PageConsoleInputHint},
    {"PageClear", Msg::PageClear},
    {"PageCloseReport", Msg::PageCloseReport},
    {"PageCancel", Msg::PageCancel},
    {"PageSaveKey", Msg::ItemSave},
    {"PageDiscardKey", Msg::ButtonDiscard},
    {"PageCancelKey", Msg::ButtonCancel},
    {"PageExecutedCount", Msg::PageExecutedCount},
    {"PageCase", Msg::PageCase},
    {"PageResult", Msg::PageResult},
    {"PageWhy", Msg::PageWhy},
    {"PageClose", Msg::PageClose},
};

std::string pageTextsJson() {
    JsonWriter json;
    json.beginObject();
    json.key("lang");
    json.value(fromAscii(languageCode(currentLanguage())));
    for (const auto& [name, id] : kPageTexts) {
        json.key(name);
        json.value(messageText(id));
    }
    json.endObject();
    return json.text();
}

}  // namespace
}  // namespace comet

extern "C" {

// The page's texts in the current language as one JSON object ("lang" its code); valid
// until the next call.
EMSCRIPTEN_KEEPALIVE const char* web_texts() {
    static std::string json;
    json = comet::pageTextsJson();
    return json.c_str();
}

// The language the user picked ("en" or "ja"); any other name leaves it as it is.
EMSCRIPTEN_KEEPALIVE void web_set_language(const char* code) {
    if (const auto language = comet::languageNamed(code)) comet::setLanguage(*language);
}

}  // extern "C"
