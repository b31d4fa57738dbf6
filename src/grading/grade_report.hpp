// What a grading reports: the summary table for people, and the JUnit XML and CSV
// files that course platforms and CI systems read.
#pragma once

#include <string>
#include <vector>

#include "grading/grade.hpp"

namespace comet {

// The table (submission, passed/total, score/most points, failed cases), each case's
// points and pass rate, then every failure with its reasons, then how many submissions
// passed every case. Teachers' reports: hidden cases are shown as the others.
std::string summaryText(const Exercise& exercise, const std::vector<SubmissionResult>& results);

// One <testsuite> per submission and one <testcase> per case. The first two lines are
// the XML declaration and <testsuites ...>, the last is </testsuites>, each <testsuite>
// element on lines of its own, so that files of parts of a class merge by plain
// concatenation of those lines. A case that failed has a <failure>, one of a submission
// that could not be run an <error>, one not run a <skipped>; each suite carries the
// score and the most points as properties, and `timestamp` (when grading began).
std::string junitXml(const Exercise& exercise, const std::vector<SubmissionResult>& results, const std::string& timestamp);

// One line per submission and case:
// submission,case,result,points,max_points,steps,reason,departure (reasons joined by "; ").
std::string resultsCsv(const Exercise& exercise, const std::vector<SubmissionResult>& results);

}  // namespace comet
