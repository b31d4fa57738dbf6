#include "grading/feedback.hpp"

#include <nlohmann/json.hpp>

namespace comet {
namespace {

// ---- The texts a student reads ----

constexpr const char* kScore = "Score: ";
constexpr const char* kOfPoints = " of ";
constexpr const char* kPoints = " points";
constexpr const char* kPassed = "passed";
constexpr const char* kFailed = "failed";
constexpr const char* kEveryCase = "every case: ";
constexpr const char* kHiddenCases = "Hidden cases: ";
constexpr const char* kHiddenPassed = " passed";

// "passed", or "failed (wrong-output)" followed by the reasons and the hint, one a line.
std::string caseReport(const CaseResult& c, const std::string& indent) {
    if (c.outcome == Outcome::Passed) return kPassed;
    std::string text = std::string(kFailed) + " (" + std::string(outcomeName(c.outcome)) + ")";
    for (const auto& reason : c.reasons) text += '\n' + indent + reason;
    if (!c.departure.empty()) text += '\n' + indent + c.departure;
    return text;
}

}  // namespace

std::string feedbackText(const Exercise& exercise, const SubmissionResult& result) {
    std::string text = result.name + '\n' + kScore + std::to_string(result.points(exercise)) + kOfPoints +
                       std::to_string(exercise.maxPoints()) + kPoints + "\n\n";
    if (!result.cases.empty() && isError(result.cases.front().outcome)) text += kEveryCase + result.cases.front().reason() + '\n';
    size_t hidden = 0, hiddenPassed = 0;
    for (size_t i = 0; i < result.cases.size(); ++i) {
        const TestCase& test = exercise.cases[i];
        const CaseResult& c = result.cases[i];
        if (test.hidden) {
            ++hidden;
            hiddenPassed += c.outcome == Outcome::Passed;
            continue;
        }
        if (isError(c.outcome)) continue;  // said once above
        text += test.name + ": " + caseReport(c, "  ") + '\n';
    }
    if (hidden > 0) text += kHiddenCases + std::to_string(hidden) + ", " + std::to_string(hiddenPassed) + kHiddenPassed + '\n';
    return text;
}

std::string gradescopeJson(const Exercise& exercise, const SubmissionResult& result) {
    nlohmann::ordered_json tests = nlohmann::ordered_json::array();
    for (size_t i = 0; i < result.cases.size(); ++i) {
        const TestCase& test = exercise.cases[i];
        const CaseResult& c = result.cases[i];
        tests.push_back({{"name", test.name},
                         {"score", c.outcome == Outcome::Passed ? test.points : 0},
                         {"max_score", test.points},
                         {"output", caseReport(c, "")},
                         {"visibility", test.hidden ? "hidden" : "visible"}});
    }
    const nlohmann::ordered_json results{{"score", result.points(exercise)},
                                         {"max_score", exercise.maxPoints()},
                                         {"output", feedbackText(exercise, result)},
                                         {"tests", tests}};
    // Invalid UTF-8 in a name or an output line is replaced, not thrown.
    return results.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
}

}  // namespace comet
