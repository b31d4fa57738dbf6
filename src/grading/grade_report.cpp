#include "grading/grade_report.hpp"

#include <algorithm>
#include <cstdio>

#include "files/escape.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

// ---- Summary ----

const std::string kSubmissionHeading = "SUBMISSION";
const std::string kPassedHeading = "PASSED";
const std::string kScoreHeading = "SCORE";
const std::string kCaseHeading = "CASE";
const std::string kPointsHeading = "POINTS";

// A character a terminal shows two columns wide: kana, kanji, hangul, full-width forms
// (a UTF-16 unit; a high surrogate stands for its pair, wide in planes 2 and 3).
bool isWide(char16_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0xD840 && c <= 0xD8BF);
}

// The columns a UTF-8 text takes on a terminal, for lining up the summary's columns.
size_t columns(const std::string& s) {
    size_t width = 0;
    for (const char16_t c : fromUtf8(s)) width += c >= 0xDC00 && c <= 0xDFFF ? 0 : isWide(c) ? 2 : 1;
    return width;
}

std::string padded(const std::string& s, size_t width) { return s + std::string(width - std::min(width, columns(s)), ' '); }

std::string passedCount(const SubmissionResult& r) { return std::to_string(r.passed()) + '/' + std::to_string(r.cases.size()); }

std::string score(const Exercise& exercise, const SubmissionResult& r) {
    return std::to_string(r.points(exercise)) + '/' + std::to_string(exercise.maxPoints());
}

std::string caseLabel(const TestCase& test) { return test.hidden ? message(Msg::CliHiddenCase, {test.name}) : test.name; }

// Each case: its points and how many submissions passed it, so that a case nobody passes stands out.
std::string passRates(const Exercise& exercise, const std::vector<SubmissionResult>& results) {
    size_t nameWidth = kCaseHeading.size();
    for (const auto& c : exercise.cases) nameWidth = std::max(nameWidth, columns(caseLabel(c)));
    std::string text = padded(kCaseHeading, nameWidth + 2) + padded(kPointsHeading, kPointsHeading.size() + 2) + "PASSED BY\n";
    for (size_t i = 0; i < exercise.cases.size(); ++i) {
        const auto passed = static_cast<size_t>(std::count_if(
            results.begin(), results.end(), [i](const SubmissionResult& r) { return r.cases[i].outcome == Outcome::Passed; }));
        const size_t percent = (passed * 100 + results.size() / 2) / results.size();
        text += padded(caseLabel(exercise.cases[i]), nameWidth + 2) +
                padded(std::to_string(exercise.cases[i].points), kPointsHeading.size() + 2) +
                message(Msg::CliSummaryPassedBy, {std::to_string(passed), std::to_string(results.size()), std::to_string(percent)}) + '\n';
    }
    return text;
}

std::string failedCaseNames(const Exercise& exercise, const SubmissionResult& r) {
    std::string names;
    for (size_t i = 0; i < r.cases.size(); ++i) {
        if (r.cases[i].outcome == Outcome::Passed) continue;
        if (!names.empty()) names += ", ";
        names += shownName(exercise.cases[i].name);
    }
    return names.empty() ? "-" : names;
}

// ---- JUnit XML ----

// Text for XML content and attribute values: as shown (valid UTF-8 with no control
// character, so well formed for any name), with XML's own escapes.
std::string xmlEscaped(const std::string& s) {
    std::string out;
    for (const char c : shownName(s)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string attribute(const std::string& name, const std::string& value) { return ' ' + name + "=\"" + xmlEscaped(value) + '"'; }

size_t countOf(const SubmissionResult& r, bool (*which)(Outcome)) {
    return static_cast<size_t>(std::count_if(r.cases.begin(), r.cases.end(), [which](const CaseResult& c) { return which(c.outcome); }));
}
bool isFailure(Outcome o) { return o != Outcome::Passed && ran(o); }
bool isSkipped(Outcome o) { return o == Outcome::NotRun; }

size_t failures(const SubmissionResult& r) { return r.cases.size() - r.passed(); }

std::string seconds(double s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", s);
    return text;
}

double secondsOf(const SubmissionResult& r) {
    double sum = 0;
    for (const auto& c : r.cases) sum += c.seconds;
    return sum;
}

// What a suite's and the whole file's opening tags count.
std::string counts(size_t tests, size_t failed, size_t errors, size_t skipped, double time) {
    return attribute("tests", std::to_string(tests)) + attribute("failures", std::to_string(failed)) +
           attribute("errors", std::to_string(errors)) + attribute("skipped", std::to_string(skipped)) + attribute("time", seconds(time));
}

// The warnings and run-time notes, a line each, where CI tools show a test's output.
std::string systemOut(const std::vector<std::string>& notes) {
    if (notes.empty()) return {};
    std::string xml = "      <system-out>";
    for (const auto& note : notes) xml += xmlEscaped(note) + '\n';
    return xml + "</system-out>\n";
}

std::string testcase(const std::string& suite, const TestCase& test, const CaseResult& c, const std::vector<std::string>& notes) {
    std::string xml = "    <testcase" + attribute("classname", suite) + attribute("name", test.name) + attribute("time", seconds(c.seconds));
    if (c.outcome == Outcome::Passed && notes.empty()) return xml + "/>\n";
    xml += ">\n";
    if (c.outcome != Outcome::Passed) {
        const std::string element = isError(c.outcome) ? "error" : isSkipped(c.outcome) ? "skipped" : "failure";
        xml += "      <" + element + attribute("type", std::string(outcomeName(c.outcome))) + attribute("message", c.reason());
        xml += (c.departure.empty() ? "/>" : '>' + xmlEscaped(c.departure) + "</" + element + '>') + '\n';
    }
    return xml + systemOut(notes) + "    </testcase>\n";
}


// ---- CSV ----

// A field as shown (so a name reads the same as in the JUnit report), quoted when it must be.
std::string csvField(const std::string& text) {
    const std::string s = shownName(text);
    if (s.find_first_of(",\"") == std::string::npos) return s;
    std::string out = "\"";
    for (const char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

}  // namespace

std::string summaryText(const Exercise& exercise, const std::vector<SubmissionResult>& results) {
    size_t nameWidth = kSubmissionHeading.size();
    for (const auto& r : results) nameWidth = std::max(nameWidth, columns(shownName(r.name)));
    const size_t passedWidth = kPassedHeading.size();
    size_t scoreWidth = kScoreHeading.size();
    for (const auto& r : results) scoreWidth = std::max(scoreWidth, score(exercise, r).size());
    std::string text = padded(kSubmissionHeading, nameWidth + 2) + padded(kPassedHeading, passedWidth + 2) +
                       padded(kScoreHeading, scoreWidth + 2) + "FAILED CASES\n";
    for (const auto& r : results)
        text += padded(shownName(r.name), nameWidth + 2) + padded(passedCount(r), passedWidth + 2) +
                padded(score(exercise, r), scoreWidth + 2) + failedCaseNames(exercise, r) + '\n';
    text += '\n' + passRates(exercise, results);
    for (const auto& r : results) {
        if (r.passed() == r.cases.size() && r.warnings.empty()) continue;
        text += '\n' + shownName(r.name) + '\n';
        for (const std::string& w : r.warnings) text += "  " + shownName(w) + '\n';
        if (r.passed() == r.cases.size()) continue;
        if (isError(r.cases.front().outcome)) {  // every case failed alike
            text += "  " + message(Msg::CliEveryCase, {shownName(r.cases.front().reason())}) + '\n';
            continue;
        }
        for (size_t i = 0; i < r.cases.size(); ++i) {
            const CaseResult& c = r.cases[i];
            if (c.outcome == Outcome::Passed) continue;
            for (const auto& reason : c.reasons) text += "  " + shownName(exercise.cases[i].name) + ": " + shownName(reason) + '\n';
            if (!c.departure.empty()) text += "    " + shownName(c.departure) + '\n';
            for (const auto& note : c.notes) text += "    " + shownName(note) + '\n';
        }
    }
    const auto allPassed = std::count_if(results.begin(), results.end(), [](const SubmissionResult& r) { return failures(r) == 0; });
    text += '\n' + message(Msg::CliSummaryAllPassed, {std::to_string(allPassed), std::to_string(results.size())}) + '\n';
    return text;
}

std::string junitXml(const Exercise& exercise, const std::vector<SubmissionResult>& results, const std::string& timestamp) {
    size_t tests = 0, failed = 0, errors = 0, skipped = 0;
    double time = 0;
    for (const auto& r : results) {
        tests += r.cases.size();
        failed += countOf(r, isFailure);
        errors += countOf(r, isError);
        skipped += countOf(r, isSkipped);
        time += secondsOf(r);
    }
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuites" + attribute("name", exercise.path) + counts(tests, failed, errors, skipped, time) + ">\n";
    for (const auto& r : results) {
        xml += "  <testsuite" + attribute("name", r.name) +
               counts(r.cases.size(), countOf(r, isFailure), countOf(r, isError), countOf(r, isSkipped), secondsOf(r)) +
               attribute("timestamp", timestamp) + ">\n";
        xml += "    <properties>\n      <property name=\"score\"" + attribute("value", std::to_string(r.points(exercise))) +
               "/>\n      <property name=\"max_score\"" + attribute("value", std::to_string(exercise.maxPoints())) + "/>\n    </properties>\n";
        for (size_t i = 0; i < r.cases.size(); ++i) xml += testcase(r.name, exercise.cases[i], r.cases[i], r.notesOf(i));
        xml += "  </testsuite>\n";
    }
    return xml + "</testsuites>\n";
}

std::string resultsCsv(const Exercise& exercise, const std::vector<SubmissionResult>& results) {
    std::string csv = "submission,case,result,points,max_points,steps,reason,departure,notes\n";
    for (const auto& r : results) {
        for (size_t i = 0; i < r.cases.size(); ++i) {
            const CaseResult& c = r.cases[i];
            const int points = exercise.cases[i].points;
            csv += csvField(r.name) + ',' + csvField(exercise.cases[i].name) + ',' + std::string(outcomeName(c.outcome)) + ',' +
                   std::to_string(c.outcome == Outcome::Passed ? points : 0) + ',' + std::to_string(points) + ',' +
                   std::to_string(c.steps) + ',' + csvField(c.reason()) + ',' + csvField(c.departure) + ',' +
                   csvField(joinedLine(r.notesOf(i))) + '\n';
        }
    }
    return csv;
}

}  // namespace comet
