#include "app/grade_command.hpp"

#include <atomic>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <thread>
#include <variant>

#include "app/arguments.hpp"
#include "files/escape.hpp"
#include "files/output_guard.hpp"
#include "files/source_file.hpp"
#include "grading/feedback.hpp"
#include "grading/grade.hpp"
#include "grading/grade_report.hpp"
#include "session/headless.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

struct GradeOptions {
    std::string cases;
    std::vector<std::string> named;  // files and folders of submissions
    std::string junit, csv;          // report files; "" for none
    std::string feedback;            // the folder of students' feedback files; "" for none
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
};

// 1 to kMaxJobs, in at most three digits.
std::optional<unsigned> jobCount(const std::string& s) {
    const auto n = s.size() <= 3 ? numberIn(s, 1, kMaxJobs) : std::nullopt;
    if (!n) return std::nullopt;
    return static_cast<unsigned>(*n);
}

// The options, in any order after CASES; a message (or "" for the usage) when they are
// not well formed.
std::variant<GradeOptions, std::string> parseOptions(const std::vector<std::string>& args) {
    if (args.empty()) return std::string();
    GradeOptions o;
    o.cases = args[0];
    std::set<std::string> given;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            o.named.push_back(a);
            continue;
        }
        if (i + 1 == args.size()) return std::string();
        if (!given.insert(a).second) return message(Msg::CliGivenTwice, {a});
        const std::string& value = args[++i];
        if (value.empty()) return message(Msg::CliExpectedValue, {a});
        if (a == "--jobs" && !jobCount(value))
            return message(Msg::CliExpectedNumber, {"--jobs", quotedExcerpt(value), std::to_string(kMaxJobs)});
        if (a == "--junit") o.junit = value;
        else if (a == "--csv") o.csv = value;
        else if (a == "--feedback") o.feedback = value;
        else if (a == "--jobs" && jobCount(value)) o.jobs = *jobCount(value);
        else return std::string();
    }
    if (o.named.empty()) return std::string();
    return o;
}

// ---- Stopping on a signal ----

std::atomic<bool> stopGrading = false;
volatile std::sig_atomic_t stoppedBy = 0;
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void stopOnSignal(int signal) {
    stoppedBy = signal;
    stopGrading.store(true);
}

// Takes `signal` to stop the grading, unless it was ignored (as a background job ignores
// SIGINT); returns the handler it had.
void (*stopOn(int signal))(int) {
    const auto before = std::signal(signal, stopOnSignal);
    if (before == SIG_IGN) std::signal(signal, SIG_IGN);
    return before;
}

// SIGINT and SIGTERM stop the grading, so that what was graded is still reported.
class StopOnSignals {
public:
    StopOnSignals() : interrupt_(stopOn(SIGINT)), terminate_(stopOn(SIGTERM)) {}
    ~StopOnSignals() {
        std::signal(SIGINT, interrupt_);
        std::signal(SIGTERM, terminate_);
    }
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;

private:
    void (*interrupt_)(int);
    void (*terminate_)(int);
};

// ---- Files written ----

// Writes a report file whole or not at all; false, after saying why on `err`, when it cannot be written.
bool writeReport(const std::string& path, const std::string& text, std::ostream& err) {
    if (path.empty()) return true;
    const auto error = writeWholeFile(path, text, Msg::CliCannotWrite);
    if (!error) return true;
    err << "comet-workbench: " << error->message << '\n';
    return false;
}

std::string feedbackPath(const std::string& folder, const std::string& submission, const char* extension) {
    return (std::filesystem::path(folder) / std::filesystem::path(submission).filename()).string() + extension;
}

// The clash of a report or a feedback file with a file grading reads or with another report, if any.
std::optional<std::string> reportClash(const GradeOptions& o, const Exercise& exercise, const std::vector<std::string>& submissions) {
    std::vector<NamedFile> inputs{{message(Msg::CliRoleCaseFile), o.cases}};
    if (!exercise.reference.empty()) inputs.push_back({message(Msg::CliRoleReference), exercise.reference});
    const std::string submission = message(Msg::CliRoleSubmission);
    for (const std::string& s : submissions) inputs.push_back({submission, s});
    std::vector<NamedFile> outputs;
    if (!o.junit.empty()) outputs.push_back({"--junit", o.junit});
    if (!o.csv.empty()) outputs.push_back({"--csv", o.csv});
    if (!o.feedback.empty()) {
        for (const std::string& s : submissions) {
            outputs.push_back({"--feedback", feedbackPath(o.feedback, s, ".json")});
            outputs.push_back({"--feedback", feedbackPath(o.feedback, s, ".txt")});
        }
    }
    return outputClash(inputs, outputs);
}

// Two submissions of one file name would write the same feedback files: a message, or "".
std::string feedbackClash(const std::vector<std::string>& paths) {
    std::map<std::string, std::string> byName;
    for (const auto& path : paths) {
        const auto [first, isNew] = byName.emplace(std::filesystem::path(path).filename().string(), path);
        if (!isNew) return message(Msg::CliSameFileName, {path, first->second});
    }
    return {};
}

bool writeFeedback(const std::string& folder, const Exercise& exercise, const std::vector<SubmissionResult>& results, std::ostream& err) {
    if (folder.empty()) return true;
    for (const auto& r : results)
        if (!writeReport(feedbackPath(folder, r.name, ".json"), gradescopeJson(exercise, r), err) ||
            !writeReport(feedbackPath(folder, r.name, ".txt"), feedbackText(exercise, r), err))
            return false;
    return true;
}

// When grading began, as JUnit's timestamps are written (UTC).
std::string timestampNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    return text;
}

}  // namespace

GradeStatus gradeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto parsed = parseOptions(args);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        if (!problem->empty()) err << "comet-workbench: " << *problem << '\n';
        err << "usage: comet-workbench --grade CASES [--junit FILE] [--csv FILE] [--feedback FOLDER] [--jobs N (1.."
                << kMaxJobs << ")] FILE_OR_FOLDER...\n";
        return kCannotGrade;
    }
    const auto& options = std::get<GradeOptions>(parsed);
    try {
        const Exercise exercise = loadExercise(options.cases, kDefaultMaxSteps);
        const StopOnSignals stopOnSignals;
        const Grader grader(exercise, &stopGrading);
        const auto submissions = collectSubmissions(options.named);
        if (submissions.paths.empty()) {
            err << "comet-workbench: " << message(Msg::CliNoSubmissions) << '\n';
            return kCannotGrade;
        }
        if (const auto clash = options.feedback.empty() ? std::string() : feedbackClash(submissions.paths); !clash.empty()) {
            err << "comet-workbench: " << clash << '\n';
            return kCannotGrade;
        }
        std::error_code folderError;
        if (!options.feedback.empty() && (std::filesystem::create_directories(options.feedback, folderError), folderError)) {
            err << "comet-workbench: " << message(Msg::CliCannotMakeFolder, {options.feedback, systemReason(folderError.value())}) << '\n';
            return kCannotGrade;
        }
        for (const auto& note : submissions.notes) err << "comet-workbench: " << note << '\n';
        if (const auto clash = reportClash(options, exercise, submissions.paths)) {
            err << "comet-workbench: " << message(Msg::CliNothingGraded, {*clash}) << '\n';
            return kCannotGrade;
        }
        const std::string began = timestampNow();
        const auto results = grader.gradeAll(submissions.paths, options.jobs);
        out << summaryText(exercise, results);
        out.flush();
        if (!writeReport(options.junit, junitXml(exercise, results, began), err) ||
            !writeReport(options.csv, resultsCsv(exercise, results), err) || !writeFeedback(options.feedback, exercise, results, err))
            return kCannotGrade;
        if (stoppedBy != 0) return static_cast<GradeStatus>(kStoppedBySignal + stoppedBy);
        for (const auto& r : results)
            if (r.passed() != r.cases.size()) return kSomeFailed;
        return kAllPassed;
    } catch (const CaseFileError& e) {
        err << "comet-workbench: " << e.what() << '\n';
        return kCannotGrade;
    }
}

}  // namespace comet
