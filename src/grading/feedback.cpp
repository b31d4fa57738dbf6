#include "grading/feedback.hpp"

#include <iterator>

#include <nlohmann/json.hpp>

#include "workbench/messages.hpp"

namespace comet {
namespace {

// A failed outcome in the student's language (in English, its name in the reports).
std::string outcomeWords(Outcome outcome) {
    static constexpr Msg kWords[] = {
        Msg::CliFeedbackPassed,       Msg::CliOutcomeUnreadable,   Msg::CliOutcomeAssemblerError, Msg::CliOutcomeStepLimit,
        Msg::CliOutcomeTimeout,       Msg::CliOutcomeEndlessLoop,  Msg::CliOutcomeAddressError,   Msg::CliOutcomeEngineError,
        Msg::CliOutcomeWrongOutput,   Msg::CliOutcomeWrongState,   Msg::CliOutcomeNotRun,
    };
    static_assert(std::size(kWords) == static_cast<size_t>(Outcome::NotRun) + 1, "a text for every outcome");
    return message(kWords[static_cast<size_t>(outcome)]);
}

CaseFeedback caseFeedback(const std::string& name, const CaseResult& c) {
    CaseFeedback f{name, message(Msg::CliFeedbackPassed), {}};
    if (c.outcome == Outcome::Passed) return f;
    f.result = message(Msg::CliFeedbackFailed, {outcomeWords(c.outcome)});
    f.details = c.reasons;
    f.details.insert(f.details.end(), c.notes.begin(), c.notes.end());
    if (!c.departure.empty()) f.details.push_back(c.departure);
    return f;
}

// The result, then each detail on a line of its own after `indent`.
std::string lines(const CaseFeedback& f, const std::string& indent) {
    std::string text = f.result;
    for (const auto& detail : f.details) text += '\n' + indent + detail;
    return text;
}

}  // namespace

Feedback feedbackOf(const Exercise& exercise, const SubmissionResult& result) {
    Feedback f;
    f.submission = result.name;
    f.score = message(Msg::CliFeedbackScore, {std::to_string(result.points(exercise)), std::to_string(exercise.maxPoints())});
    if (!result.cases.empty() && isError(result.cases.front().outcome))
        f.everyCase = message(Msg::CliEveryCase, {result.cases.front().reason()});
    f.warnings = result.warnings;
    size_t hidden = 0, hiddenPassed = 0;
    for (size_t i = 0; i < result.cases.size(); ++i) {
        const TestCase& test = exercise.cases[i];
        const CaseResult& c = result.cases[i];
        if (test.hidden) {
            ++hidden;
            hiddenPassed += c.outcome == Outcome::Passed;
        } else if (!isError(c.outcome)) {  // an error is said once, for every case
            f.cases.push_back(caseFeedback(test.name, c));
        }
    }
    if (hidden > 0) f.hidden = message(Msg::CliFeedbackHidden, {std::to_string(hidden), std::to_string(hiddenPassed)});
    return f;
}

std::string feedbackText(const Exercise& exercise, const SubmissionResult& result) {
    const Feedback f = feedbackOf(exercise, result);
    std::string text = f.submission + '\n' + f.score + "\n\n";
    for (const auto& w : f.warnings) text += w + '\n';
    if (!f.everyCase.empty()) text += f.everyCase + '\n';
    for (const auto& c : f.cases) text += c.name + ": " + lines(c, "  ") + '\n';
    if (!f.hidden.empty()) text += f.hidden + '\n';
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
                         {"output", lines(caseFeedback(test.name, c), "")},
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
