// The test cases of an exercise, read from a TOML file a teacher writes:
//
//   reference = "solution.casl"   # optional: compared step by step with failed runs
//   max-steps = 100000            # optional: the step limit of every case
//
//   [[case]]
//   name = "three"
//   input = ["3"]                 # one line per IN, in turn
//   output = ["3", "2", "1"]      # every line OUT writes, exactly
//   max-steps = 500               # optional: this case's own limit
//   registers = { GR1 = 0x3000 }  # optional: registers at EXIT
//   labels = { BUF = 0x3100 }     # optional: words at labels of the program at EXIT
#pragma once

#include <cstdint>
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

struct TestCase {
    std::string name;
    std::vector<Text> input;                // what each IN reads, in turn; then empty lines
    bool checksOutput = false;              // false when the case has no `output`
    std::vector<Text> output;               // the lines OUT must write, in order
    long maxSteps = 0;                      // steps the run may take before it fails
    std::vector<WordExpectation> registers; // by register name
    std::vector<WordExpectation> labels;    // by label
};

struct Exercise {
    std::string path;           // the case file, as named
    std::string reference;      // the reference solution's path, or "" for none
    std::string referenceWhere; // "FILE:LINE:COLUMN" of the `reference` key, for its errors
    std::vector<TestCase> cases;
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

}  // namespace comet
