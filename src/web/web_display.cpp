#include "web/web_display.hpp"

#include <emscripten.h>

#include <cstdlib>

// The page's side: Module.page, set by the page before the workbench is loaded.
// The async ones suspend the press until the page answers.

EM_ASYNC_JS(void, pageMessageBox, (const char* text, const char* title), {
    await Module.page.messageBox(UTF8ToString(text), UTF8ToString(title));
});

EM_ASYNC_JS(int, pageOkCancelBox, (const char* text, const char* title), {
    return (await Module.page.okCancelBox(UTF8ToString(text), UTF8ToString(title))) ? 1 : 0;
});

// A malloc'd UTF-8 answer, or null when the box was cancelled.
EM_ASYNC_JS(char*, pageInputBox, (const char* prompt), {
    const answer = await Module.page.inputBox(UTF8ToString(prompt));
    if (answer === null) return 0;
    const size = lengthBytesUTF8(answer) + 1;
    const bytes = _malloc(size);
    stringToUTF8(answer, bytes, size);
    return bytes;
});

// Gives the page its turn; true once the user has pressed Stop.
EM_ASYNC_JS(int, pageRunPause, (double steps, int showProgress), {
    return (await Module.page.runPause(steps, showProgress !== 0)) ? 1 : 0;
});

EM_JS(void, pageRunStarted, (), { Module.page.runStarted(); });
EM_JS(void, pageRunEnded, (), { Module.page.runEnded(); });
EM_JS(void, pageFocusText1, (), { Module.page.focusText1(); });
EM_JS(void, pageMakeText1First, (), { Module.page.makeText1FirstInTabOrder(); });
EM_JS(void, pageShowViewer, (), { Module.page.showViewer(); });

namespace comet {

void WebDisplay::messageBox(const Text& text, const Text& title) {
    pageMessageBox(toUtf8(visibleText(text)).c_str(), toUtf8(title.empty() ? kAppTitle : title).c_str());
    restartClock();
}

bool WebDisplay::okCancelBox(const Text& text, const Text& title) {
    const bool ok = pageOkCancelBox(toUtf8(visibleText(text)).c_str(), toUtf8(title.empty() ? kAppTitle : title).c_str()) != 0;
    restartClock();
    return ok;
}

Text WebDisplay::inputBox(const Text& prompt) {
    char* answer = pageInputBox(toUtf8(prompt).c_str());
    restartClock();
    if (answer == nullptr) return {};
    Text text = fromUtf8(answer);
    std::free(answer);
    return text;
}

void WebDisplay::runStarted() {
    steps_ = 0;
    stopped_ = false;
    running_ = true;
    restartClock();
    pageRunStarted();
}

void WebDisplay::runEnded() {
    running_ = false;
    pageRunEnded();
}

void WebDisplay::restartClock() {
    startMs_ = emscripten_get_now();
    lastPauseMs_ = startMs_;
}

bool WebDisplay::checkClock() {
    const double now = emscripten_get_now();
    if (now - lastPauseMs_ < kPauseEveryMs) return stopped_;
    const bool showProgress = now - startMs_ >= kProgressDelayMs;
    stopped_ = pageRunPause(static_cast<double>(steps_), showProgress ? 1 : 0) != 0 || stopped_;
    lastPauseMs_ = emscripten_get_now();
    return stopped_;
}

void WebDisplay::focusText1() { pageFocusText1(); }

void WebDisplay::makeText1FirstInTabOrder() { pageMakeText1First(); }

void WebDisplay::showViewer() { pageShowViewer(); }

}  // namespace comet
