#include "grading/grade_report.hpp"

#include <algorithm>

namespace comet {
namespace {

// ---- Summary ----

const std::string kSubmissionHeading = "SUBMISSION";
const std::string kPassedHeading = "PASSED";

// Characters of a UTF-8 text, for lining up columns.
size_t characters(const std::string& s) {
    return static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string padded(const std::string& s, size_t width) { return s + std::string(width - std::min(width, characters(s)), ' '); }

std::string score(const SubmissionResult& r) { return std::to_string(r.passed()) + '/' + std::to_string(r.cases.size()); }

std::string failedCaseNames(const Exercise& exercise, const SubmissionResult& r) {
    std::string names;
    for (size_t i = 0; i < r.cases.size(); ++i) {
        if (r.cases[i].outcome == Outcome::Passed) continue;
        if (!names.empty()) names += ", ";
        names += exercise.cases[i].name;
    }
    return names.empty() ? "-" : names;
}

// ---- JUnit XML ----

// Text for XML content and attribute values; control characters XML cannot hold become U+FFFD.
std::string xmlEscaped(const std::string& s) {
    std::string out;
    for (const char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') out += "\xEF\xBF\xBD";
            else out += c;
        }
    }
    return out;
}

std::string attribute(const std::string& name, const std::string& value) { return ' ' + name + "=\"" + xmlEscaped(value) + '"'; }

size_t failures(const SubmissionResult& r) { return r.cases.size() - r.passed(); }

// ---- CSV ----

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (const char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

}  // namespace

std::string summaryText(const Exercise& exercise, const std::vector<SubmissionResult>& results) {
    size_t nameWidth = kSubmissionHeading.size();
    for (const auto& r : results) nameWidth = std::max(nameWidth, characters(r.name));
    const size_t scoreWidth = kPassedHeading.size();
    std::string text = padded(kSubmissionHeading, nameWidth + 2) + padded(kPassedHeading, scoreWidth + 2) + "FAILED CASES\n";
    for (const auto& r : results)
        text += padded(r.name, nameWidth + 2) + padded(score(r), scoreWidth + 2) + failedCaseNames(exercise, r) + '\n';
    for (const auto& r : results) {
        if (r.passed() == r.cases.size() && r.warnings.empty()) continue;
        text += '\n' + r.name + '\n';
        for (const std::string& w : r.warnings) text += "  warning " + w + '\n';
        if (r.passed() == r.cases.size()) continue;
        if (!ran(r.cases.front().outcome)) {  // every case failed alike
            text += "  every case: " + r.cases.front().reason + '\n';
            continue;
        }
        for (size_t i = 0; i < r.cases.size(); ++i) {
            const CaseResult& c = r.cases[i];
            if (c.outcome == Outcome::Passed) continue;
            text += "  " + exercise.cases[i].name + ": " + c.reason + '\n';
            if (!c.departure.empty()) text += "    " + c.departure + '\n';
        }
    }
    const auto allPassed = std::count_if(results.begin(), results.end(), [](const SubmissionResult& r) { return failures(r) == 0; });
    text += '\n' + std::to_string(allPassed) + " of " + std::to_string(results.size()) + " submissions passed every case\n";
    return text;
}

std::string junitXml(const Exercise& exercise, const std::vector<SubmissionResult>& results) {
    size_t tests = 0, failed = 0;
    for (const auto& r : results) {
        tests += r.cases.size();
        failed += failures(r);
    }
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuites" + attribute("name", exercise.path) + attribute("tests", std::to_string(tests)) +
           attribute("failures", std::to_string(failed)) + ">\n";
    for (const auto& r : results) {
        xml += "  <testsuite" + attribute("name", r.name) + attribute("tests", std::to_string(r.cases.size())) +
               attribute("failures", std::to_string(failures(r))) + ">\n";
        for (size_t i = 0; i < r.cases.size(); ++i) {
            const CaseResult& c = r.cases[i];
            xml += "    <testcase" + attribute("classname", r.name) + attribute("name", exercise.cases[i].name);
            if (c.outcome == Outcome::Passed) {
                xml += "/>\n";
                continue;
            }
            xml += ">\n      <failure" + attribute("type", std::string(outcomeName(c.outcome))) + attribute("message", c.reason);
            xml += c.departure.empty() ? "/>" : '>' + xmlEscaped(c.departure) + "</failure>";
            xml += "\n    </testcase>\n";
        }
        xml += "  </testsuite>\n";
    }
    return xml + "</testsuites>\n";
}

std::string resultsCsv(const Exercise& exercise, const std::vector<SubmissionResult>& results) {
    std::string csv = "submission,case,result,steps,reason,departure\n";
    for (const auto& r : results) {
        for (size_t i = 0; i < r.cases.size(); ++i) {
            const CaseResult& c = r.cases[i];
            csv += csvField(r.name) + ',' + csvField(exercise.cases[i].name) + ',' + std::string(outcomeName(c.outcome)) + ',' +
                   std::to_string(c.steps) + ',' + csvField(c.reason) + ',' + csvField(c.departure) + '\n';
        }
    }
    return csv;
}

}  // namespace comet
