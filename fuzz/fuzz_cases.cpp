// Arbitrary bytes as a teacher's case file: it is read or refused with its place
// ("cases.toml:LINE:COLUMN: problem" or "cases.toml: problem") and nothing else is
// thrown; what is read holds together (names unique, points and limits in range, a
// pattern for every line of a regex case); and every report of a class graded against
// it is well formed, whatever its names hold (the feedback JSON parses back).
#include <nlohmann/json.hpp>

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "cases.hpp"
#include "grading/cases.hpp"
#include "grading/feedback.hpp"
#include "grading/grade_report.hpp"

namespace comet::fuzz {
namespace {

const std::string kPath = "cases.toml";

std::string checkExercise(const Exercise& e) {
    std::unordered_set<std::string> names;
    int points = 0;
    for (const auto& c : e.cases) {
        if (!names.insert(c.name).second) return "two cases named " + c.name;
        if (c.points < 0 || c.points > 1000) return "points out of range";
        if (!(c.timeLimit > 0) || c.timeLimit > 86400) return "time limit out of range";
        if (c.maxSteps < 1) return "a step limit below 1";
        if (c.match == OutputMatch::Regex && c.patterns.size() != c.output.size()) return "a regex case without its patterns";
        for (const auto& m : c.memory)
            if (m.words.empty() || m.label.empty()) return "a memory expectation without a label or words";
        points += c.points;
    }
    if (points != e.maxPoints()) return "the most points are not the sum of the cases'";
    return {};
}

// A class of two, one passing everything and one failing everything, as reports see it.
std::string checkReports(const Exercise& e) {
    std::vector<SubmissionResult> results{{"a.casl", {}, {}}, {"b\x1b.casl", {}, {"1:1  warning: w"}}};
    for (size_t i = 0; i < e.cases.size(); ++i) {
        results[0].cases.push_back({Outcome::Passed, 1, {}, {}, 0, {}});
        results[1].cases.push_back({Outcome::WrongOutput, 2, {"output line 1 is \"x\"", "GR1 is 0000"}, "step 1", 0.5, {"2:1  run: n"}});
    }
    for (const auto& r : results) {
        if (r.points(e) != (&r == &results[0] ? e.maxPoints() : 0)) return "a score that is not the sum of the cases passed";
        if (!nlohmann::json::accept(gradescopeJson(e, r))) return "feedback that is not JSON";
        if (feedbackText(e, r).empty()) return "empty feedback text";
    }
    const std::string csv = resultsCsv(e, results);
    if (e.cases.size() < 1000 && std::count(csv.begin(), csv.end(), '\n') < static_cast<long>(1 + 2 * e.cases.size()))
        return "a CSV line missing";
    if (!junitXml(e, results, "2026-01-01T00:00:00").ends_with("</testsuites>\n")) return "an unfinished JUnit file";
    if (summaryText(e, results).empty()) return "an empty summary";
    return {};
}

}  // namespace

std::string runCasesCase(Bytes bytes) {
    const std::string_view document(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    try {
        const Exercise e = parseExercise(document, kPath, 1000);
        if (auto problem = checkExercise(e); !problem.empty()) return problem;
        return checkReports(e);
    } catch (const CaseFileError& error) {
        if (!std::string_view(error.what()).starts_with(kPath + ':')) return "a refusal without its place: " + std::string(error.what());
        return {};
    }
}

}  // namespace comet::fuzz
