// What a grading reports: the summary table for people, and the JUnit XML and CSV
// files that course platforms and CI systems read.
#pragma once

#include <string>
#include <vector>

#include "grading/grade.hpp"

namespace comet {

// The table (submission, passed/total, failed cases), then every failure with its
// reason, then how many submissions passed every case.
std::string summaryText(const Exercise& exercise, const std::vector<SubmissionResult>& results);

// One <testsuite> per submission and one <testcase> per case. The first two lines are
// the XML declaration and <testsuites ...>, the last is </testsuites>, each <testsuite>
// element on lines of its own, so that files of parts of a class merge by plain
// concatenation of those lines.
std::string junitXml(const Exercise& exercise, const std::vector<SubmissionResult>& results);

// One line per submission and case: submission,case,result,steps,reason,departure.
std::string resultsCsv(const Exercise& exercise, const std::vector<SubmissionResult>& results);

}  // namespace comet
