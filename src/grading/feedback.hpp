// What a student may read of a grading: hidden cases only counted, never described.
// One account, drawn three ways: plain text, the results file Gradescope's autograders
// read, and the table of the window's and the page's self-check.
#pragma once

#include <string>
#include <vector>

#include "grading/grade.hpp"

namespace comet {

struct CaseFeedback {
    std::string name;
    std::string result;                // "passed", or "failed (wrong-output)"
    std::vector<std::string> details;  // the reasons, then the departure hint
};

struct Feedback {
    std::string submission;
    std::string score;               // "Score: 3 of 7 points"
    std::string everyCase;           // why nothing could run ("every case: ..."), or ""
    std::vector<std::string> warnings;  // the assembler's, each "3:1  warning: ..."
    std::vector<CaseFeedback> cases; // the visible cases that ran, in the case file's order
    std::string hidden;              // "Hidden cases: 2, 1 passed", or "" when there are none
};

Feedback feedbackOf(const Exercise& exercise, const SubmissionResult& result);

// What the self-check names the program it checks (Grader::gradeText).
inline const std::string kEditorProgramName = "the program in the editor";

// The plain report: the score, the assembler's warnings, each visible case with its
// reasons and hint, then how many hidden cases there were and how many passed.
std::string feedbackText(const Exercise& exercise, const SubmissionResult& result);

// Gradescope's results.json: `score`, `output` (the plain report) and `tests`, one per
// case with `name`, `score`, `max_score`, `output` and `visibility` ("hidden" for a
// hidden case, seen only by the teacher).
std::string gradescopeJson(const Exercise& exercise, const SubmissionResult& result);

}  // namespace comet
