// The assembler's warnings and the explanations of its messages: where each points, what
// it says, that no warning changes a word, and that no correct program draws one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "loaded.hpp"
#include "workbench/messages.hpp"
#include "workbench/sample.hpp"

namespace comet {
namespace {

namespace fs = std::filesystem;

struct English {
    English() { setLanguage(Language::English); }
};

struct Assembled : English, Loaded {
    explicit Assembled(const Text& source) {
        userSetsSource(wb, source);
        Command1_Click(wb);
    }
};

struct Place {
    int32_t line, column;
    Msg id;
    bool operator==(const Place&) const = default;
};

std::vector<Place> warningsOf(const Text& source) {
    const Assembled a(source);
    std::vector<Place> places;
    for (const Warning& w : a.wb.warnings) places.push_back({w.where.line, w.where.column, w.text.id});
    return places;
}

TEST(Warnings, EachTrapIsWarnedWhereItStands) {
    struct Row { const char* what; Text source; std::vector<Place> expected; };
    const Row rows[] = {
        {"a label named OUT", u"  LD GR1,A\r\nOUT LD GR1,A\r\n  EXIT\r\nA DC 1\r\n", {{2, 1, Msg::WarnReservedLabel}}},
        {"a jump to OUT", u"  JMP OUT\r\n  EXIT\r\n", {{1, 7, Msg::WarnReservedOperand}}},
        {"a mnemonic as operand", u"  CALL SUB\r\n  EXIT\r\n", {{1, 8, Msg::WarnReservedOperand}}},
        {"a register as address", u"  LD GR1,GR2\r\n  EXIT\r\n", {{1, 10, Msg::WarnReservedOperand}}},
        {"a name as register", u"  LD X,A\r\n  EXIT\r\nA DC 1\r\n", {{1, 6, Msg::WarnNotRegister}}},
        {"an empty operand", u"  ADD GR1,,\r\n  EXIT\r\n", {{1, 10, Msg::WarnEmptyOperand}}},
        {"a missing address", u"  ADD GR1\r\n  EXIT\r\n", {{1, 3, Msg::WarnEmptyOperand}}},
        {"GR0 as index", u"  ST GR1,A,GR0\r\n  EXIT\r\nA DS 1\r\n", {{1, 12, Msg::WarnIndexGR0}}},
        {"data after code", u"  LD GR1,A\r\nA DC 1\r\n  EXIT\r\n", {{2, 1, Msg::WarnFallIntoData}}},
        {"no EXIT", u"  LD GR1,0\r\n  ST GR1,1\r\n  END\r\n", {{0, 0, Msg::WarnNoExit}}},
        {"an address beyond memory", u"  LD GR1,450\r\n  EXIT\r\n", {{1, 10, Msg::WarnAddressOutside}}},
        {"a negative address", u"  JMP -1\r\n  EXIT\r\n", {{1, 7, Msg::WarnAddressOutside}}},
    };
    for (const Row& r : rows) EXPECT_EQ(warningsOf(r.source), r.expected) << r.what;
}

// What each warning is about is read exactly as before: the words are those of the plain form.
TEST(Warnings, NeverChangeAWord) {
    const std::pair<Text, Text> pairs[] = {
        {u"  ADD GR1,,\r\n", u"  ADD GR1,0\r\n"},
        {u"  ST GR1,5,GR0\r\n", u"  ST GR1,5\r\n"},
        {u"  JMP OUT\r\n", u"  JMP 0\r\n"},
        {u"  LD X,4\r\n", u"  LD GR0,4\r\n"},
        {u"  LD GR1,450\r\n", u"  LD GR1,#1C2\r\n"},
    };
    for (const auto& [trap, plain] : pairs) {
        const Assembled a(trap), b(plain);
        EXPECT_FALSE(a.wb.warnings.empty()) << toUtf8(trap);
        ASSERT_EQ(a.wb.locationCounter, b.wb.locationCounter) << toUtf8(trap);
        for (int32_t c = 1; c <= a.wb.locationCounter; ++c)
            EXPECT_EQ(a.wb.memory.cell(c).value, b.wb.memory.cell(c).value) << toUtf8(trap) << " word " << c - 1;
    }
}

// ---- The correct programs of the repository ----

Text readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return fromUtf8(s.str());
}

// The sources a golden session gives between "source" and ".end".
std::vector<Text> scriptSources(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<Text> sources;
    std::string line;
    std::optional<std::string> open;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!open && line == "source") open = std::string();
        else if (open && line == ".end") sources.push_back(fromUtf8(*std::exchange(open, std::nullopt)));
        else if (open) *open += line + "\r\n";
    }
    return sources;
}

std::vector<std::pair<std::string, Text>> correctPrograms() {
    const fs::path tests(COMET_TEST_DIR);
    std::vector<std::pair<std::string, Text>> programs{{"the sample", kSampleProgram}};
    for (const auto& e : fs::directory_iterator(tests / "programs"))
        programs.emplace_back(e.path().string(), readFile(e.path()));
    for (const auto& e : fs::directory_iterator(tests / "sessions")) {
        if (e.path().extension() != ".script") continue;
        for (const Text& s : scriptSources(e.path())) programs.emplace_back(e.path().string(), s);
    }
    // The batch and graded programs that are meant to run as written.
    for (const char* name : {"sessions/batch/echo.casl", "sessions/batch/eof.casl", "sessions/batch/pushes.casl",
                             "sessions/batch/sample_crlf.casl", "sessions/batch/step_limit.casl",
                             "sessions/batch/ticks.casl", "sessions/batch/plain_messages.casl",
                             "bad_input/inputs/echo.casl", "bad_input/inputs/ticks.casl", "grade/countdown/solution.casl",
                             "grade/countdown/submissions/correct.casl", "grade/countdown/submissions/binary.casl",
                             "grade/countdown/submissions/renamed_buffer.casl", "grade/countdown/submissions/other_register.casl"})
        programs.emplace_back(name, readFile(tests / name));
    return programs;
}

// The golden sessions written to show a trap at run time, and the warnings they draw for it.
bool showsTheTrap(const std::string& where, Msg id) {
    const std::pair<const char*, std::vector<Msg>> shown[] = {
        {"asm_errors.script", {Msg::WarnFallIntoData, Msg::WarnNoExit}},  // fragments around each error
        {"io_edges.script", {Msg::WarnFallIntoData, Msg::WarnNoExit}},    // IN and OUT on words that run on
        {"operations.script", {Msg::WarnFallIntoData, Msg::WarnAddressOutside}},  // words executed as data, address -1
        {"status.script", {Msg::WarnAddressOutside}},                     // the address error's status
        {"explanations.script", {Msg::WarnReservedLabel, Msg::WarnIndexGR0}},  // the warnings' tooltips
        {"run_notes.script", {Msg::WarnFallIntoData}},                    // a run on into data, explained
    };
    for (const auto& [file, ids] : shown)
        if (where.ends_with(file) && std::find(ids.begin(), ids.end(), id) != ids.end()) return true;
    return false;
}

TEST(Warnings, NoneOnAnyCorrectProgramOfTheRepository) {
    const auto programs = correctPrograms();
    EXPECT_GT(programs.size(), 20u);
    for (const auto& [where, source] : programs) {
        const Assembled a(source);
        for (const Warning& w : a.wb.warnings) {
            if (showsTheTrap(where, w.text.id)) continue;
            ADD_FAILURE() << where << ':' << w.where.line << ':' << w.where.column << ": " << noteText(w.text);
        }
    }
}

// ---- Explanations ----

std::vector<std::string> notesOf(const Text& source, size_t diagnostic) {
    const Assembled a(source);
    std::vector<std::string> notes;
    if (diagnostic >= a.wb.diagnostics.size()) return {"no such diagnostic"};
    for (const Note& n : a.wb.diagnostics[diagnostic].notes) notes.push_back(noteText(n));
    return notes;
}

TEST(Explanations, SayWhatEachMessageMeansAndTheLikelyFix) {
    struct Row { Text source; size_t diagnostic; std::vector<std::string> expected; };
    const Row rows[] = {
        {u"  LDX GR2,A\r\n", 0,
         {"LDX is no instruction.", "LDX was read as a label, so GR2 stands where the instruction should be.",
          "Did you mean LD?", "Address=0 is where the statement on line 1 would have been placed."}},
        {u"  EXIT\r\nL JUMP 3\r\n", 0,
         {"JUMP is no instruction.", "Did you mean JMP, JMI?", "Address=1 is where the statement on line 2 would have been placed."}},
        {u"123 LD GR1,A\r\n", 0,
         {"A statement begins with a label or an instruction; 123 is a number. A label begins with a letter.",
          "Address=0 is where the statement on line 1 would have been placed."}},
        {u"GR1 LD GR0,A\r\n", 0,
         {"GR1 is a register name: it can be neither a label nor an instruction.",
          "Address=0 is where the statement on line 1 would have been placed."}},
        {u"X 'abc\r\n", 0,
         {"The string constant is not closed: end it with '.", "Address=0 is where the statement on line 1 would have been placed."}},
        {u"  DS -3\r\n", 0, {"DS reserves a number of words; -3 is negative.", "Address=0 is where the statement on line 1 would have been placed."}},
        {u"  LD GR1,COUNT\r\n  EXIT\r\nCOUNTER DC 3\r\n", 0,
         {"No label of this program is named COUNT; the word reads as 0.", "Did you mean COUNTER?"}},
        {u"  LD GR1,ZZ\r\n  EXIT\r\nA DC 3\r\n", 0,
         {"No label of this program is named ZZ; the word reads as 0.", "Define it as a label (NAME DC 0, NAME DS 1) or correct the name."}},
        {u"  EXIT\r\nA DC 1\r\nA DC 2\r\n", 0,
         {"A was first defined on line 2 (address 0001); every use of it means that one."}},
        {u"  DS X\r\n", 0, {"DS takes the number of words to reserve, as a decimal number: DS 10."}},
        {u"  DS 199\r\n  LD GR1,0\r\n", 0,
         {"The memory holds 200 words (0000 to 00C7); the statements before this one already take 199."}},
    };
    for (const Row& r : rows) EXPECT_EQ(notesOf(r.source, r.diagnostic), r.expected) << toUtf8(r.source);
}

// Names too long to spell out are near only by their beginning, and cost no more than their reading.
TEST(Explanations, LongNamesAreNearOnlyByTheirBeginning) {
    const Text x(100000, u'X'), y(100001, u'Y');
    EXPECT_EQ(notesOf(u"  LD GR1," + x + u"\r\n  EXIT\r\n" + y + u" DC 1\r\n", 0).back(),
              "Define it as a label (NAME DC 0, NAME DS 1) or correct the name.");
    EXPECT_EQ(notesOf(u"  LD GR1," + x + u"\r\n  EXIT\r\n" + x + u"Z DC 1\r\n", 0).back(),
              "Did you mean " + toUtf8(x) + "Z?");
}

TEST(Explanations, CountTheNamesOfAFullTable) {
    Text source;
    for (int i = 0; i < 65; ++i) source += u"N" + fromAscii(std::to_string(i)) + u" DC 0\r\n";
    EXPECT_EQ(notesOf(source, 0), std::vector<std::string>{"The name table holds 64 names of a program; this one has 64 already."});
}

// ---- The catalogue ----

TEST(Messages, TheLocaleChoosesTheLanguage) {
    struct Row { const char *all, *messages, *lang; Language expected; };
    const Row rows[] = {
        {nullptr, nullptr, nullptr, Language::English},     {nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese},
        {nullptr, "C", "ja_JP.UTF-8", Language::English},   {"ja_JP.eucJP", "C", "C", Language::Japanese},
        {"", "", "ja", Language::Japanese},                 {nullptr, nullptr, "en_US.UTF-8", Language::English},
    };
    for (const Row& r : rows) EXPECT_EQ(languageOfLocale(r.all, r.messages, r.lang), r.expected) << (r.lang ? r.lang : "-");
}

TEST(Messages, FillTheirArgumentsInEitherLanguage) {
    setLanguage(Language::Japanese);
    EXPECT_EQ(message(Msg::DidYouMean, {"LD"}), "LD のことですか？");
    EXPECT_EQ(noteText({Msg::DuplicateFirst, {"A", "2", "0001"}}), "A は 2 行目で最初に定義されています（番地 0001）。どの使用もそちらを指します。");
    setLanguage(Language::English);
    EXPECT_EQ(message(Msg::DidYouMean, {"LD"}), "Did you mean LD?");
    EXPECT_EQ(message(Msg::CountErrors, {}), "{1} errors");  // a missing argument stays visible
    EXPECT_EQ(languageNamed("ja"), Language::Japanese);
    EXPECT_EQ(languageNamed("fr"), std::nullopt);
}

}  // namespace
}  // namespace comet
