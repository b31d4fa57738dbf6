// The one state object of the workbench: the machine, the run state, the
// assembler's working fields and everything the main window and the text
// viewer show. All logic is procedures over it.
#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

#include "machine/charset.hpp"
#include "machine/machine.hpp"
#include "workbench/asm_state.hpp"
#include "workbench/debugger.hpp"
#include "workbench/diagnostics.hpp"
#include "workbench/display.hpp"
#include "workbench/trace.hpp"

namespace comet {

// ---- Run state ----------------------------------------------------------------

// What set the halted flag during the last "Exec" press.
enum class Halt : uint8_t { None, Exit, OutputCancelled, AddressError, Stopped, Breakpoint, EndlessLoop };

// Seconds on a steady clock, the clock a press is timed by; a test gives a workbench its own.
using Clock = double (*)();
inline double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct RunState {
    int32_t pc = 0;             // address of the instruction being executed
    int32_t nextPc = 0;         // address of the instruction to run after it
    bool halted = false;        // ends a Run Mode run; cleared by every "Exec" press
    Halt haltedBy = Halt::None; // why the last press's run halted
    bool debugMode = false;     // one instruction per "Exec" press
    TraceLog history;           // trace of executed instructions
    Clock clock = steadySeconds;
    double boxSeconds = 0;      // how long IN's and OUT's boxes have stood open, all told: no time of the machine's
    std::vector<RunFault> faults;  // the engine's messages of the last press, with what each means

    // The last press showed an engine message other than an address error (which halts the
    // run, so at most one comes, last): it went wrong even if it reached EXIT later.
    bool showedEngineError() const {
        return std::any_of(faults.begin(), faults.end(), [](const RunFault& f) { return f.kind != DiagKind::AddressError; });
    }
};

// ---- Window model -----------------------------------------------------------------

struct Editor {
    Text text;              // the source, lines separated by CR LF
    int32_t selStart = 0;   // caret or selection start, in UTF-16 code units
    int32_t selLength = 0;  // selection length
};

struct ListBox {
    std::vector<Text> lines;
    int selected = -1;  // -1 selects nothing
};

// The object program list with, for each address, the first line that lists it.
struct ListingBox : ListBox {
    std::array<int16_t, kAddressCount> firstLineAt;  // -1 when no line begins with that address
    ListingBox() { firstLineAt.fill(-1); }
};

// The memory dump as last refreshed: one line per address below `count`, each made
// from the value its cell held then (see dumpLineText).
struct MemoryDump {
    int32_t count = 0;                         // lines: the location counter at the refresh
    std::array<int32_t, kCellCount> values{};  // every cell's value at the refresh
};

struct Chooser {
    std::vector<Text> items;
    int selected = -1;
    bool filling = false;  // `comboFilling`: true only while the window loads
};

// Window sizes in twips (1/1440 inch).
constexpr int kMainDesignWidth = 11775;  // the main window's client area
constexpr int kMainDesignHeight = 6555;
constexpr int kViewerDesignWidth = 4095;  // the viewer's text box
constexpr int kViewerDesignHeight = 2535;

struct Viewer {
    bool exists = false;  // created on first use, gone when the user closes it
    Text caption;
    Text text;
    int boxWidth = kViewerDesignWidth;    // text box size in twips
    int boxHeight = kViewerDesignHeight;
    bool opensAtEnd = false;  // the report is read from its newest line (the history)
};

constexpr int kBoxCount = 7;  // txtGR(0..6): GR0..GR4, FR, PC
constexpr int kPcBox = 6;

inline const Text kLabel6Initial = u"Executed";                       // Label6 as the window starts
inline constexpr TextView kOperationCaption = u"Executed Operation =";  // Label6 in Debug Mode, before the word

// ---- Where things are, around the classic displays --------------------------------

// How the problem list counts a problem.
enum class ProblemKind : uint8_t { Error, UndefinedName, Warning, Run };  // Run: the last run's, not the ASM's

// A problem the last ASM or run found, at its place in the text as assembled.
struct Problem {
    ProblemKind kind = ProblemKind::Error;
    int32_t line = 0;       // 1-based editor line; 0 for no place in the source
    int32_t column = 0;     // 1-based; [column, endColumn) is the statement or operand at fault
    int32_t endColumn = 0;
    Text text;              // the message, as its box showed it
    Text tip;               // the message, with an address it carries also in hexadecimal
    std::vector<Note> notes;  // what it means and the likely fix, shown in the language of the moment
    bool operator==(const Problem&) const = default;
};

// The last assembly's problems and lines, followed through the user's later edits.
struct SourceMarks {
    std::vector<Problem> problems;  // in the order they were found
    std::vector<int32_t> lineNow;   // [line as assembled] = the editor's line now, 0 once edited; empty before the first ASM
};

// What the last Debug Mode step changed, highlighted until the next press or ASM.
struct ChangeMarks {
    std::array<bool, kBoxCount> boxes{};  // box k's value changed
    std::bitset<kAddressCount> words;     // the dump line of address a changed
    bool operator==(const ChangeMarks&) const = default;
};

// What the last "Exec" press did, as the status bar tells it.
struct ExecStatus {
    enum Phase : uint8_t { Idle, Running, Done };
    Phase phase = Idle;      // Idle: no press since the last ASM
    bool debugMode = false;  // the press was a Debug Mode step
    Halt halt = Halt::None;  // how it ended; None for a Debug Mode step that goes on
    uint64_t steps = 0;      // instructions it executed
    int32_t from = 0;        // the PC box's address when it began
    int32_t to = 0;          // and when it ended
    double seconds = 0;      // how long it took
};

// The output console, beyond the classic window and off until the user turns it on:
// OUT appends its line here instead of showing a box, and IN reads the line typed in
// the console's input field instead of asking in one.
struct Console {
    static constexpr size_t kLineLimit = 10'000;  // older lines go, so that an endless printer stays small
    bool on = false;
    std::deque<Text> lines;   // OUT's lines and the lines IN read, oldest first
    Text input;               // the input field's line, taken by the next IN
    uint64_t changes = 0;     // counts the changes of `lines`, so that a view redraws only after one
};

// ---- The workbench ----------------------------------------------------------------

struct Workbench {
    explicit Workbench(Display& display) : display_(&display) { txtGR.fill(u"0000"); }
    // The same state shown on another display.
    Workbench(const Workbench& other, Display& display) : Workbench(other) { display_ = &display; }

    Display& display() const { return *display_; }  // shows this state and answers its boxes

    Memory memory;
    RegisterFile regs;
    int32_t locationCounter = 0;  // words generated by the last assembly
    RunState run;

    AsmState as;
    MnemonicTable table;

    Editor text1;                       // "Souce Program"
    ListingBox list1;                   // "Object Program"
    MemoryDump list2;                   // "Memory Dump"
    std::array<Text, kBoxCount> txtGR;  // register boxes
    std::array<int32_t, kBoxCount> txtGRValue{};  // 0..FFFF when box k shows exactly cnvHex4 of it, else -1
    Chooser combo1;                     // mnemonic chooser
    Text label3 = u"Run Mode";          // mode label
    Text label6 = kLabel6Initial;       // last executed operation
    Viewer frmText;                     // the text viewer

    std::vector<Diagnostic> diagnostics;  // the assembler's messages of the last ASM, in the order shown
    std::vector<Warning> warnings;        // what the last ASM passed in silence, in the order met
    SourceMarks marks;                    // the problem list and the editor's lines as assembled
    ChangeMarks changed;                  // what the last Debug Mode step changed
    ExecStatus status;                    // the status bar's account of the last "Exec" press
    Debugger debug;                       // breakpoints, step back, watching speed, loop detection
    Console console;                      // OUT and IN without boxes, when on
    uint64_t viewFollows = 0;             // counts the steps, Backs and run ends the views are to follow

private:
    Display* display_;
};

}  // namespace comet
