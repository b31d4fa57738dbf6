// The test cases of an exercise, read from a TOML file a teacher writes:
//
//   reference = "solution.casl"   # optional: compared step by step with failed runs
//   max-steps = 100000            # optional: the step limit of every case
//   timeout = 10                  # optional: seconds of wall clock each run may take
//
//   [[case]]
//   name = "three"
//   points = 2                    # optional: what passing it is worth (1)
//   hidden = true                 # optional: students learn only whether it passed
//   input = ["3"]                 # one line per IN, in turn
//   output = ["3", "2", "1"]      # every line OUT writes
//   match = "trim"                # optional: how lines compare (exact, trim, ignore-case, regex)
//   max-steps = 500               # optional: this case's own limit
//   timeout = 2                   # optional: this case's own time limit
//   registers = { GR1 = 0x3000 }  # optional: registers at EXIT
//   labels = { BUF = 0x3100 }     # optional: words at labels of the program at EXIT
//   memory = { "BUF+1" = 5, "STR" = [0x33, 0x30] }  # optional: words from a label on
#pragma once

#include <cstdint>
#include <regex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "machine/charset.hpp"

namespace comet {

// ---- The exercise -----------------------------------------------------------------

// A word the program must leave at EXIT: in a register, or at a label of the program.
struct WordExpectation {
    std::string name;   // "GR0".."GR4", "FR", or a label (found without regard to case)
    int32_t value = 0;  // compared in its low 16 bits
};

// Words the program must leave in memory at EXIT, from a label on: "DATA+1" = 5 is
// one word, "STR" = [0x33, 0x30] a run of them.
struct MemoryExpectation {
    std::string label;             // found without regard to case
    int32_t offset = 0;            // words after the label
    std::vector<int32_t> words;    // compared in their low 16 bits
};

// How an output line compares with the expected one.
enum class OutputMatch : uint8_t {
    Exact,       // character for character
    Trim,        // spaces and tabs at either end left out
    IgnoreCase,  // A-Z and a-z alike
    Regex,       // the expected line is an ECMAScript regular expression the whole line matches
};

constexpr double kDefaultTimeLimit = 10.0;  // seconds of wall clock a run may take

struct TestCase {
    std::string name;
    int points = 1;                         // what passing it is worth
    bool hidden = false;                    // shown to students only as counted
    std::vector<Text> input;                // what each IN reads, in turn; then empty lines
    bool checksOutput = false;              // false when the case has no `output`
    std::vector<Text> output;               // the lines OUT must write, in order
    OutputMatch match = OutputMatch::Exact;
    std::vector<std::regex> patterns;       // with OutputMatch::Regex, one per output line
    long maxSteps = 0;                      // steps the run may take before it fails
    double timeLimit = kDefaultTimeLimit;   // seconds of wall clock the run may take
    std::vector<WordExpectation> registers; // by register name
    std::vector<MemoryExpectation> memory;  // by label (and `labels`, each as one word at offset 0)
};

// True when `actual`, a line OUT wrote, is as `test`'s line `index` expects.
bool outputLineMatches(const TestCase& test, size_t index, const Text& actual);

struct Exercise {
    std::string path;           // the case file, as named
    std::string reference;      // the reference solution's path, or "" for none
    std::string referenceWhere; // "FILE:LINE:COLUMN" of the `reference` key, for its errors
    std::vector<TestCase> cases;
    int maxPoints() const;      // the points of every case together
};

// ---- Reading ----------------------------------------------------------------------

// A case file that cannot be used; what() is "FILE:LINE:COLUMN: problem" (or "FILE: problem").
struct CaseFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads and checks a case file. `defaultMaxSteps` applies where the file sets no limit.
// Both throw CaseFileError.
Exercise loadExercise(const std::string& path, long defaultMaxSteps);
Exercise parseExercise(std::string_view document, const std::string& path, long defaultMaxSteps);  // the file's text
Exercise exerciseOf(std::string_view bytes, const std::string& name, long defaultMaxSteps);  // the file's bytes, as read

}  // namespace comet
