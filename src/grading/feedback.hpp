// What a student may read of a grading: hidden cases only counted, never described.
// Two forms of the same report: the results file Gradescope's autograders read, and
// plain text.
#pragma once

#include <string>

#include "grading/grade.hpp"

namespace comet {

// The plain report: the score, each visible case with its reasons and hint, then how
// many hidden cases there were and how many passed.
std::string feedbackText(const Exercise& exercise, const SubmissionResult& result);

// Gradescope's results.json: `score`, `output` (the plain report) and `tests`, one per
// case with `name`, `score`, `max_score`, `output` and `visibility` ("hidden" for a
// hidden case, seen only by the teacher).
std::string gradescopeJson(const Exercise& exercise, const SubmissionResult& result);

}  // namespace comet
