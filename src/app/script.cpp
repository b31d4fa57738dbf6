#include "app/script.hpp"

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "app/arguments.hpp"
#include "files/escape.hpp"
#include "app/line_reader.hpp"
#include "machine/hex.hpp"
#include "files/document.hpp"
#include "session/actions.hpp"
#include "session/debugging.hpp"
#include "session/exec_status.hpp"
#include "session/headless.hpp"
#include "session/instruction_help.hpp"
#include "session/problems.hpp"
#include "session/readings.hpp"
#include "session/source_lines.hpp"
#include "session/view.hpp"
#include "workbench/lists.hpp"
#include "session/mainwindow.hpp"
#include "files/source_file.hpp"
#include "workbench/editor_text.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

using Error = std::optional<std::string>;  // why a line is malformed; nothing when it is fine

struct Session {
    Session(std::istream& in, std::ostream& o, std::ostream& e) : lines(in, kScriptLineLimit), out(o), err(e) {
        wb.debug.undo.setBudget(kScriptUndoBudget);  // a long run stays small
    }
    LineReader lines;
    std::ostream& out;
    std::ostream& err;
    long lineNo = 0;
    bool lineTooLong = false;  // reading stopped at a line longer than the limit
    size_t queuedInputBytes = 0;  // at least the bytes of the reply-input answers waiting; recounted when it passes the limit
    HeadlessDisplay display;
    Workbench wb{display};
};

// ---- Reading the script ---------------------------------------------------------

// The next script line without its line end; false at the end of the script and at a
// line longer than the limit (lineTooLong).
bool nextLine(Session& s, std::string& line) {
    const auto result = s.lines.next(line);
    if (result == LineReader::Result::End) return false;
    ++s.lineNo;
    s.lineTooLong = result == LineReader::Result::TooLong;
    return !s.lineTooLong;
}

std::string lineTooLongError() {
    return message(Msg::CliScriptLineTooLong, {byteCountText(kScriptLineLimit)});
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// ---- What the window shows ----------------------------------------------------------

void printBox(Session& s, const ShownBox& box) {
    switch (box.kind) {
        case ShownBox::Message:
            s.out << "MSG title=" << quoted(box.title) << " text=" << quoted(box.text) << '\n';
            break;
        case ShownBox::OkCancel:
            s.out << "MSG title=" << quoted(box.title) << " text=" << quoted(box.text)
                  << (box.ok ? " -> OK" : " -> CANCEL") << '\n';
            break;
        case ShownBox::Input:
            s.out << "INPUT prompt=" << quoted(box.title) << " -> " << quoted(box.text) << '\n';
            break;
    }
}

void printLine(Session& s, const Text& line) { s.out << '|' << toUtf8(line) << "|\n"; }

constexpr const char* kBoxNames[kBoxCount] = {"GR0", "GR1", "GR2", "GR3", "GR4", "FR", "PC"};

int32_t registerValue(const Workbench& wb, int k) { return k == kPcBox ? wb.regs.pc : wb.regs.r[static_cast<size_t>(k)]; }

void showRegisters(Session& s) {
    s.out << "BOXES";
    for (int k = 0; k < kBoxCount; ++k) s.out << ' ' << kBoxNames[k] << "=|" << toUtf8(s.wb.txtGR[static_cast<size_t>(k)]) << '|';
    s.out << "\nVALUES";
    for (int k = 0; k < kBoxCount; ++k) s.out << ' ' << kBoxNames[k] << '=' << registerValue(s.wb, k);
    s.out << '\n';
}

constexpr const char* kProblemKindNames[] = {"error", "undefined-name", "warning", "run"};

void showProblems(Session& s) {
    const std::vector<Problem> rows = problemRows(s.wb);
    s.out << "PROBLEMS n=" << rows.size() << " summary=" << quoted(problemSummary(s.wb)) << '\n';
    for (const Problem& p : rows) {
        s.out << "PROBLEM line=" << p.line << " columns=" << p.column << '-' << p.endColumn
              << " kind=" << kProblemKindNames[static_cast<size_t>(p.kind)] << " text=" << quoted(p.text)
              << " tip=" << quoted(p.tip) << '\n';
    }
}

// The boxes and dump lines the last Debug Mode step changed; "-" for none.
void showChanges(Session& s) {
    const ChangeMarks& changed = s.wb.changed;
    std::string boxes;
    for (int k = 0; k < kBoxCount; ++k) {
        if (changed.boxes[static_cast<size_t>(k)]) boxes += (boxes.empty() ? "" : ",") + std::string(kBoxNames[k]);
    }
    std::string words;
    for (int32_t a = 0; a < kAddressCount; ++a) {
        if (changed.words[static_cast<size_t>(a)]) words += (words.empty() ? "" : ",") + toUtf8(cnvHex4(a));
    }
    s.out << "CHANGED boxes=" << (boxes.empty() ? "-" : boxes) << " words=" << (words.empty() ? "-" : words) << '\n';
}

void showListing(Session& s) {
    s.out << "LISTING n=" << s.wb.list1.lines.size() << " selected=" << s.wb.list1.selected << '\n';
    for (const Text& line : s.wb.list1.lines) printLine(s, line);
}

void showDump(Session& s) {
    s.out << "DUMP n=" << dumpLineCount(s.wb) << '\n';
    for (int32_t i = 0; i < dumpLineCount(s.wb); ++i) printLine(s, dumpLineText(s.wb, i));
}

void showHistory(Session& s) {
    const Text history = s.wb.run.history.text();
    s.out << "HISTORY len=" << history.size() << ' ' << quoted(history) << '\n';
}

void showViewer(Session& s) {
    const Viewer& v = s.wb.frmText;
    if (!v.exists) s.out << "VIEWER none\n";
    else s.out << "VIEWER caption=" << quoted(v.caption) << " text=" << quoted(v.text) << '\n';
}

void showSource(Session& s) {
    const Editor& e = s.wb.text1;
    s.out << "SOURCE start=" << e.selStart << " length=" << e.selLength << ' ' << quoted(e.text) << '\n';
}

void showLabels(Session& s) { s.out << "LABEL3=" << quoted(s.wb.label3) << " LABEL6=" << quoted(s.wb.label6) << '\n'; }

void showProblemTips(Session& s) {
    for (const Problem& p : problemRows(s.wb)) s.out << "TIP line=" << p.line << ' ' << quoted(problemTip(p)) << '\n';
}

void showListingTips(Session& s) {
    for (int row = 0; row < static_cast<int>(s.wb.list1.lines.size()); ++row)
        s.out << "TIP listing=" << row << ' ' << quoted(listingReading(s.wb, row)) << '\n';
}

void showDumpTips(Session& s) {
    for (int row = 0; row < dumpLineCount(s.wb); ++row) s.out << "TIP dump=" << row << ' ' << quoted(dumpReading(s.wb, row)) << '\n';
}

void showStatus(Session& s) { s.out << "STATUS " << quoted(statusBarText(s.wb, false)) << '\n'; }

void showPcLine(Session& s) { s.out << "PC-LINE " << pcSourceLine(s.wb) << '\n'; }

void showBreakpoints(Session& s) {
    s.out << "BREAKPOINTS n=" << s.wb.debug.breakpoints.set.size();
    for (const Breakpoint& b : s.wb.debug.breakpoints.set)
        s.out << ' ' << b.line << '=' << (b.address < 0 ? std::string("pending") : toUtf8(cnvHex4(b.address)));
    s.out << '\n';
}

void showView(Session& s) {
    const ViewTargets view = viewTargets(s.wb);
    s.out << "VIEW editor-line=" << view.editorLine << " listing-row=" << view.listingRow << " dump-row=" << view.dumpRow << '\n';
}

void showConsole(Session& s) {
    const Console& c = s.wb.console;
    s.out << "CONSOLE " << (c.on ? "on" : "off") << " n=" << c.lines.size() << " input=" << quoted(c.input) << '\n';
    for (const Text& line : c.lines) printLine(s, line);
}

void showChooser(Session& s) {
    const int i = s.wb.combo1.selected;
    s.out << "CHOOSER index=" << i << ' ' << quoted(i < 0 ? Text{} : s.wb.combo1.items[static_cast<size_t>(i)]) << '\n';
}

// What "show NAME" prints, by NAME.
struct Showable {
    std::string_view name;
    void (*print)(Session&);
};

constexpr Showable kDisplays[] = {
    {"listing", showListing},         {"dump", showDump},         {"registers", showRegisters},
    {"history", showHistory},         {"viewer", showViewer},     {"source", showSource},
    {"labels", showLabels},           {"problems", showProblems}, {"problem-tips", showProblemTips},
    {"status", showStatus},           {"changes", showChanges},   {"pc-line", showPcLine},
    {"breakpoints", showBreakpoints}, {"view", showView},         {"console", showConsole},
    {"chooser", showChooser},         {"listing-tips", showListingTips}, {"dump-tips", showDumpTips},
};

// "show help WORD": the help the editor and the chooser show on a reserved word.
Error showHelp(Session& s, std::string_view word) {
    const auto help = instructionHelp(fromUtf8(std::string(word)));
    if (!help) return "no help on " + quotedExcerpt(word) + ": it is no reserved word";
    s.out << "HELP " << quoted(helpLines(*help)) << '\n';
    return std::nullopt;
}

Error show(Session& s, std::string_view what) {
    if (what.starts_with("help ")) return showHelp(s, trimmed(what.substr(5)));
    for (const Showable& d : kDisplays) {
        if (d.name != what) continue;
        d.print(s);
        return std::nullopt;
    }
    return message(Msg::CliScriptUnknownDisplay, {quotedExcerpt(what)});
}

// ---- User actions ---------------------------------------------------------------------

Error noArguments(std::string_view args) {
    if (!args.empty()) return message(Msg::CliScriptUnexpected, {quotedExcerpt(args)});
    return std::nullopt;
}

// Runs a command that takes no arguments.
template <void (*Action)(Workbench&)>
Error press(Session& s, std::string_view args) {
    if (auto e = noArguments(args)) return e;
    Action(s.wb);
    return std::nullopt;
}

Error source(Session& s, std::string_view args) {
    if (auto e = noArguments(args)) return e;
    const long start = s.lineNo;
    Text text;
    size_t bytes = 0;
    for (std::string line; nextLine(s, line);) {
        if (line == ".end") {
            userSetsSource(s.wb, text);
            return std::nullopt;
        }
        bytes += line.size() + 2;
        if (bytes > kSourceFileLimit) {
            s.lineNo = start;
            return message(Msg::CliScriptSourceTooLarge, {byteCountText(kSourceFileLimit)});
        }
        text += fromUtf8(line);
        text += u"\r\n";
    }
    if (s.lineTooLong) return lineTooLongError();
    s.lineNo = start;
    return message(Msg::CliScriptNoEnd);
}

Error sourceText(Session& s, std::string_view args) {
    const auto text = unquoted(args);
    if (!text) return message(Msg::CliScriptExpectedText);
    userSetsSource(s.wb, *text);
    return std::nullopt;
}

// "box K TEXT": TEXT is everything after the blank that follows K, taken literally.
Error box(Session& s, std::string_view args) {
    const size_t blank = args.find(' ');
    const auto k = numberIn(args.substr(0, blank), 0, kBoxCount - 1);
    if (!k) return message(Msg::CliScriptExpectedBox);
    const std::string_view text = blank == std::string_view::npos ? std::string_view{} : args.substr(blank + 1);
    userEditsBox(s.wb, static_cast<int>(*k), fromUtf8(text));
    return std::nullopt;
}

Error select(Session& s, std::string_view args) {
    const size_t blank = args.find(' ');
    if (blank == std::string_view::npos) return message(Msg::CliScriptExpectedSelection);
    const auto start = numberIn(args.substr(0, blank), 0, INT64_MAX);
    const auto length = numberIn(trimmed(args.substr(blank + 1)), 0, INT64_MAX);
    if (!start || !length) return message(Msg::CliScriptExpectedSelection);
    if (!userSelects(s.wb, *start, *length)) {
        const std::string cut = message(Msg::CliScriptSelectionCut, {std::to_string(s.wb.text1.selStart), std::to_string(s.wb.text1.selLength)});
        s.err << "comet-workbench: " << message(Msg::CliScriptLine, {std::to_string(s.lineNo), cut}) << '\n';
    }
    return std::nullopt;
}

Error choose(Session& s, std::string_view args) {
    const auto i = numberIn(args, 0, static_cast<int64_t>(kChooserItems.size()) - 1);
    if (!i) return message(Msg::CliScriptExpectedItem);
    userChoosesItem(s.wb, static_cast<int>(*i));
    return std::nullopt;
}

Error report(Session& s, std::string_view args) {
    if (args == "help") userOpensReport(s.wb, Report::Help);
    else if (args == "object") userOpensReport(s.wb, Report::Object);
    else if (args == "history") userOpensReport(s.wb, Report::History);
    else return message(Msg::CliScriptExpectedThree, {"help", "object", "history"});
    return std::nullopt;
}

// The answers waiting for boxes stay within their limits: a script that answers ahead of
// every box that asks would otherwise fill memory.
Error answerQueueFull(Session& s, size_t newInputBytes) {
    const auto& d = s.display;
    if (d.okCancelAnswers.size() + d.inputAnswers.size() >= kQueuedAnswerLimit)
        return message(Msg::CliScriptAnswersLimit, {std::to_string(kQueuedAnswerLimit)});
    s.queuedInputBytes += newInputBytes;
    if (s.queuedInputBytes <= kQueuedInputBytes) return std::nullopt;
    s.queuedInputBytes = newInputBytes;  // the boxes shown since took some: count what is left
    for (const auto& answer : d.inputAnswers) s.queuedInputBytes += answer ? answer->size() * sizeof(char16_t) : 0;
    if (s.queuedInputBytes <= kQueuedInputBytes) return std::nullopt;
    return message(Msg::CliScriptInputBytesLimit, {byteCountText(kQueuedInputBytes)});
}

Error reply(Session& s, std::string_view args) {
    if (auto full = answerQueueFull(s, 0)) return full;
    if (args == "ok") s.display.okCancelAnswers.push_back(true);
    else if (args == "cancel") s.display.okCancelAnswers.push_back(false);
    else return message(Msg::CliScriptExpectedTwo, {"ok", "cancel"});
    return std::nullopt;
}

Error replyInput(Session& s, std::string_view args) {
    auto text = unquoted(args);
    if (!text) return message(Msg::CliScriptExpectedText);
    if (auto full = answerQueueFull(s, text->size() * sizeof(char16_t))) return full;
    s.display.inputAnswers.emplace_back(std::move(*text));
    return std::nullopt;
}

Error replyInputCancel(Session& s, std::string_view args) {
    if (auto e = noArguments(args)) return e;
    if (auto full = answerQueueFull(s, 0)) return full;
    s.display.inputAnswers.emplace_back(std::nullopt);
    return std::nullopt;
}

// A command whose one argument is a row of a list, counted from 0.
template <void (*Action)(Workbench&, int64_t)>
Error withRow(Session& s, std::string_view args) {
    const auto n = numberIn(args, 0, INT32_MAX);
    if (!n) return message(Msg::CliScriptExpectedRow);
    Action(s.wb, *n);
    return std::nullopt;
}

void clickListing(Workbench& wb, int64_t row) { userClicksListing(wb, static_cast<int>(row)); }
void goToProblem(Workbench& wb, int64_t row) { userGoesToProblem(wb, static_cast<size_t>(row)); }

Error interruptAfter(Session& s, std::string_view args) {
    const auto n = numberIn(args, 1, INT64_MAX);
    if (!n) return message(Msg::CliScriptExpectedSteps);
    s.display.interruptAfter = static_cast<long>(*n);
    return std::nullopt;
}

// ---- Debugging ---------------------------------------------------------------------

// "break LINE": a click in the editor's gutter beside LINE.
Error breakLine(Session& s, std::string_view args) {
    const auto line = numberIn(args, 1, INT32_MAX);
    if (!line) return message(Msg::CliScriptExpectedLine);
    userTogglesBreakpoint(s.wb, static_cast<int32_t>(*line));
    return std::nullopt;
}

// "break-listing I": a double-click on line I of the object listing (0 is the first).
Error breakListing(Session& s, std::string_view args) {
    const auto i = numberIn(args, 0, INT32_MAX);
    if (!i) return message(Msg::CliScriptExpectedListingLine);
    userTogglesListingBreakpoint(s.wb, static_cast<int>(*i));
    return std::nullopt;
}

// "run-to LINE": the caret put at the start of LINE, then "Run to cursor".
Error runTo(Session& s, std::string_view args) {
    const auto line = numberIn(args, 1, INT32_MAX);
    if (!line) return message(Msg::CliScriptExpectedLine);
    userRunsToLine(s.wb, static_cast<int32_t>(*line));
    return std::nullopt;
}

// ---- Programs and the console ---------------------------------------------------------

// "open FILE": File ▸ Open of FILE (the changes answered Discard); a file the window
// refuses shows its box and changes nothing.
Error openFile(Session& s, std::string_view args) {
    if (args.empty()) return message(Msg::CliScriptExpectedFile);
    auto read = readSourceFile(std::string(args), kOpenFileLimit);
    if (const auto* error = std::get_if<FileError>(&read)) s.display.messageBox(fromUtf8(error->message), kAppTitle);
    else startWithText(s.wb, std::get<SourceFile>(read).text, documentName(documentOf(std::string(args), {}, {})));
    return std::nullopt;
}

void newProgram(Workbench& wb) { startWithText(wb, {}, documentName(startDocument())); }

Error console(Session& s, std::string_view args) {
    if (args == "on" || args == "off") userTurnsConsole(s.wb, args == "on");
    else if (args == "clear") userClearsConsole(s.wb);
    else return message(Msg::CliScriptExpectedThree, {"on", "off", "clear"});
    return std::nullopt;
}

// "console-input TEXT": the line typed in the console's input field, for the next IN.
Error consoleInput(Session& s, std::string_view args) {
    auto text = unquoted(args);
    if (!text) return message(Msg::CliScriptExpectedText);
    s.wb.console.input = std::move(*text);
    return std::nullopt;
}

Error loopDetection(Session& s, std::string_view args) {
    if (args == "on") s.wb.debug.detectLoops = true;
    else if (args == "off") s.wb.debug.detectLoops = false;
    else return message(Msg::CliScriptExpectedTwo, {"on", "off"});
    return std::nullopt;
}

// "language en|ja": View > Language, the language of the workbench's own texts.
Error language(Session&, std::string_view args) {
    const auto chosen = languageNamed(args);
    if (!chosen) return message(Msg::CliScriptExpectedTwo, {"en", "ja"});
    setLanguage(*chosen);
    return std::nullopt;
}

struct Command {
    std::string_view name;
    Error (*run)(Session&, std::string_view args);
    bool literalArgs;  // the arguments keep their blanks
};

constexpr Command kCommands[] = {
    {"source", source, false},
    {"source-text", sourceText, false},
    {"asm", press<userPressesAsm>, false},
    {"exec", press<userPressesExec>, false},
    {"mode", press<userSwitchesMode>, false},
    {"box", box, true},
    {"select", select, false},
    {"choose", choose, false},
    {"report", report, false},
    {"reply", reply, false},
    {"reply-input", replyInput, false},
    {"reply-input-cancel", replyInputCancel, false},
    {"interrupt-after", interruptAfter, false},
    {"break", breakLine, false},
    {"break-listing", breakListing, false},
    {"run-to", runTo, false},
    {"back", press<userStepsBack>, false},
    {"reset", press<userResets>, false},
    {"loop-detection", loopDetection, false},
    {"open", openFile, true},
    {"new", press<newProgram>, false},
    {"console", console, false},
    {"console-input", consoleInput, false},
    {"language", language, false},
    {"show", show, false},
    {"click-listing", withRow<clickListing>, false},
    {"go-to-problem", withRow<goToProblem>, false},
    {"replace-tabs", press<replaceTabsByBlanks>, false},
};

Error runLine(Session& s, std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    if (trimmed(line).empty() || line.front() == '#') return std::nullopt;
    const size_t blank = line.find(' ');
    const std::string_view name = trimmed(line.substr(0, blank));
    const std::string_view args = blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
    for (const Command& c : kCommands) {
        if (c.name == name) return c.run(s, c.literalArgs ? args : trimmed(args));
    }
    return message(Msg::CliScriptUnknownCommand, {quotedExcerpt(name)});
}

// Says on standard error that the step limit ended the press of the line just run.
void noteStepLimit(Session& s) {
    if (!s.display.stoppedByStepLimit) return;
    s.display.stoppedByStepLimit = false;
    const std::string stopped = message(Msg::CliScriptStepLimit, {std::to_string(*s.display.stepLimit)});
    s.err << "comet-workbench: " << message(Msg::CliScriptLine, {std::to_string(s.lineNo), stopped}) << '\n';
}

int fail(Session& s, const std::string& error) {
    s.out.flush();
    s.err << "comet-workbench: " << message(Msg::CliScriptLine, {std::to_string(s.lineNo), error}) << '\n';
    return 2;
}

}  // namespace

int runScript(std::istream& script, std::ostream& out, std::ostream& err, long maxSteps, const ScriptObserver& observe) {
    Session s{script, out, err};
    s.display.keepShown = false;  // each box is printed as it is shown
    s.display.onShown = [&s](const ShownBox& box) {
        printBox(s, box);
        if (!s.out) s.display.stopAfterThisStep();  // no one sees the run any more
    };
    s.display.stepLimit = maxSteps;
    startWorkbench(s.wb);
    for (std::string line; nextLine(s, line);) {
        if (observe) observe(s.wb, s.display, true);
        const Error e = runLine(s, line);
        if (observe) observe(s.wb, s.display, false);
        if (e) return fail(s, *e);
        out.flush();
        noteStepLimit(s);
        if (!out) return 0;  // the output is lost: the caller reports it
    }
    if (s.lineTooLong) return fail(s, lineTooLongError());
    return 0;
}

}  // namespace comet
