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

// The window's text without its access key: "&Open…" is "Open…", "ファイル(&F)" is "ファイル".
// The page's menus take no letters; only its question's buttons keep them (the *Key names).
std::string withoutAccessKey(std::string text) {
    const size_t at = text.find('&');
    if (at == std::string::npos || at + 1 >= text.size()) return text;
    const bool inBrackets = at > 0 && text[at - 1] == '(' && at + 2 < text.size() && text[at + 2] == ')';
    return inBrackets ? text.erase(at - 1, 4) : text.erase(at, 1);
}

// The page names each text by a name of its own: data-text="PageMenuFile" in the page.
constexpr std::pair<std::string_view, Msg> kPageTexts[] = {
    {"PageMenus", Msg::PageMenus},
    {"PageMenuFile", Msg::MenuFile},
    {"PageMenuRun", Msg::MenuRun},
    {"PageMenuView", Msg::MenuView},
    {"PageNew", Msg::ItemNew},
    {"PageOpen", Msg::ItemOpen},
    {"PageSave", Msg::ItemSave},
    {"PageCheckCases", Msg::DialogCheckAgainstCases},
    {"PageSwitchMode", Msg::ItemSwitchMode},
    {"PageBack", Msg::ItemBack},
    {"PageRunToCursor", Msg::ItemRunToCursor},
    {"PageReset", Msg::ItemReset},
    {"PageToggleBreakpoint", Msg::ItemToggleBreakpoint},
    {"PageStop", Msg::ButtonStop},
    {"PageSpeed", Msg::ItemSpeed},
    {"PageFullSpeed", Msg::ItemFullSpeed},
    {"PageSpeedPerSecond", Msg::PageSpeedPerSecond},
    {"PageFullShort", Msg::PageFullShort},
    {"PageSpeedShort", Msg::PageSpeedShort},
    {"PageZoomIn", Msg::ItemZoomIn},
    {"PageZoomOut", Msg::ItemZoomOut},
    {"PageZoomReset", Msg::ItemResetZoom},
    {"PageConsole", Msg::TitleConsole},
    {"PageLanguage", Msg::ItemLanguage},
    {"PageDebugging", Msg::TitleDebugBar},
    {"PageKeptChanges", Msg::PageKeptChanges},
    {"PageRestoreOffer", Msg::PageRestoreOffer},
    {"PageRestore", Msg::ButtonRestore},
    {"PageDiscard", Msg::ButtonDiscard},
    {"PageInstruction", Msg::NameChooser},
    {"PageObjectProgram", Msg::NameListing},
    {"PageMemoryDump", Msg::NameDump},
    {"PageSourceProgram", Msg::NameSource},
    {"PageBreakpointTip", Msg::PageBreakpointTip},
    {"PageProblems", Msg::TitleProblems},
    {"PageCloseProblems", Msg::PageCloseProblems},
    {"PageProblemCountTip", Msg::TipProblemCount},
    {"PageReplaceTabs", Msg::ItemReplaceTabs},
    {"PageConsoleInput", Msg::ConsoleInput},
    {"PageConsoleInputHint", Msg::ConsoleInputHint},
    {"PageClear", Msg::ConsoleClear},
    {"PageCloseReport", Msg::PageCloseReport},
    {"PageCancel", Msg::ButtonCancel},
    {"PageSaveKey", Msg::ItemSave},
    {"PageDiscardKey", Msg::ButtonDiscard},
    {"PageCancelKey", Msg::ButtonCancel},
    {"PageExecutedCount", Msg::RunCount},
    {"PageCase", Msg::HeadingCase},
    {"PageResult", Msg::HeadingResult},
    {"PageWhy", Msg::HeadingWhy},
    {"PageClose", Msg::ButtonClose},
};

std::string pageTextsJson() {
    JsonWriter json;
    json.beginObject();
    json.key("lang");
    json.value(fromAscii(languageCode(currentLanguage())));
    for (const auto& [name, id] : kPageTexts) {
        json.key(name);
        json.value(fromUtf8(name.ends_with("Key") ? message(id) : withoutAccessKey(message(id))));
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
