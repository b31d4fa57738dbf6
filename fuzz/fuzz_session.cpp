// Arbitrary bytes as a session script: every action leaves a sound workbench, every
// "Exec" press ends within a step budget and leaves the boxes refreshed, and every
// text the session prints reads back as the text itself.
#include <algorithm>
#include <sstream>
#include <string>

#include "files/escape.hpp"
#include "app/script.hpp"
#include "cases.hpp"
#include "invariants.hpp"

namespace comet::fuzz {
namespace {

// Steps a Run Mode press may take before the Stop control ends it. Longer runs are the
// engine target's business; here a short budget leaves time for more sessions.
constexpr long kStepBudget = 300;

// What "show" and the box lines print must read back as the text: a script can
// quote it again and a reader of the output sees the text the window holds.
std::string checkPrinted(const Text& text, const char* what) {
    if (unquoted(quoted(text)) != text) return std::string(what) + " does not read back from its printed form";
    return {};
}

// The editor's selection lies within its text and cuts no character in two.
std::string checkSelection(const Editor& e) {
    const auto size = static_cast<int64_t>(e.text.size());
    const int64_t start = e.selStart;
    const int64_t end = start + e.selLength;
    if (start < 0 || e.selLength < 0 || end > size) return "the editor's selection leaves its text";
    for (const int64_t p : {start, end}) {
        if (p == 0 || p == size) continue;
        const char16_t before = e.text[static_cast<size_t>(p - 1)];
        const char16_t after = e.text[static_cast<size_t>(p)];
        if (before >= 0xD800 && before <= 0xDBFF && after >= 0xDC00 && after <= 0xDFFF)
            return "the editor's selection splits a character";
    }
    return {};
}

// A stream buffer that takes everything and keeps nothing.
struct Discard : std::streambuf {
    int overflow(int c) override { return traits_type::not_eof(c); }
};

struct Observer {
    std::string problem;  // the first broken invariant
    int runsSeen = 0;
    Text sourceSeen;  // the source as last checked
    Text viewerSeen;  // the viewer's text as last checked

    void note(std::string p) {
        if (problem.empty()) problem = std::move(p);
    }

    // Printing a long text takes time: each one is checked again only when it changed.
    void checkOnChange(const Text& text, Text& seen, const char* what) {
        if (text == seen) return;
        note(checkPrinted(text, what));
        seen = text;
    }

    void beforeLine(HeadlessDisplay& display) {
        display.keepShown = true;  // the driver keeps none; the boxes of one line are checked after it
        display.interruptAfter = std::min(display.interruptAfter.value_or(kStepBudget), kStepBudget);
    }

    void afterLine(const Workbench& wb, HeadlessDisplay& display) {
        note(checkAssembly(wb));
        note(checkDisplay(wb));
        if (display.runCount != runsSeen) note(checkRefreshed(wb));
        runsSeen = display.runCount;
        for (const ShownBox& box : display.shown) note(checkPrinted(box.text, "a box's text"));
        display.shown.clear();
        note(checkSelection(wb.text1));
        checkOnChange(wb.text1.text, sourceSeen, "the source");
        checkOnChange(wb.frmText.text, viewerSeen, "the viewer's text");
    }
};

}  // namespace

std::string runSessionCase(Bytes bytes) {
    std::istringstream script(std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    Discard discard;
    std::ostream out(&discard);  // what the session prints is not kept, only checked above
    std::ostream err(&discard);
    Observer observer;
    runScript(script, out, err, kDefaultMaxSteps, [&observer](Workbench& wb, HeadlessDisplay& display, bool beforeLine) {
        if (beforeLine) observer.beforeLine(display);
        else observer.afterLine(wb, display);
    });
    return observer.problem;
}

}  // namespace comet::fuzz
