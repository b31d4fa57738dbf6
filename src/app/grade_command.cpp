#include "app/grade_command.hpp"

#include <optional>
#include <ostream>
#include <thread>

#include "app/arguments.hpp"
#include "files/escape.hpp"
#include "files/output_guard.hpp"
#include "files/source_file.hpp"
#include "grading/grade.hpp"
#include "grading/grade_report.hpp"
#include "session/headless.hpp"

namespace comet {
namespace {

constexpr unsigned kMaxJobs = 256;

struct GradeOptions {
    std::string cases;
    std::vector<std::string> named;  // files and folders of submissions
    std::string junit, csv;          // report files; "" for none
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
};

// 1 to kMaxJobs, in at most three digits.
std::optional<unsigned> jobCount(const std::string& s) {
    const auto n = s.size() <= 3 ? numberIn(s, 1, kMaxJobs) : std::nullopt;
    if (!n) return std::nullopt;
    return static_cast<unsigned>(*n);
}

// The options, in any order after CASES; nothing when they are not well formed, with
// `problem` naming a value that is wrong.
std::optional<GradeOptions> parseOptions(const std::vector<std::string>& args, std::string& problem) {
    if (args.empty()) return std::nullopt;
    GradeOptions o;
    o.cases = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            o.named.push_back(a);
            continue;
        }
        if (i + 1 == args.size()) return std::nullopt;
        const std::string& value = args[++i];
        if (value.empty()) problem = a + " \"\": expected a value, not an empty text";
        else if (a == "--jobs" && !jobCount(value))
            problem = "--jobs " + quotedExcerpt(value) + ": expected a whole number from 1 to " + std::to_string(kMaxJobs);
        if (!problem.empty()) return std::nullopt;
        if (a == "--junit") o.junit = value;
        else if (a == "--csv") o.csv = value;
        else if (a == "--jobs" && jobCount(value)) o.jobs = *jobCount(value);
        else return std::nullopt;
    }
    if (o.named.empty()) return std::nullopt;
    return o;
}

// Writes a report file whole or not at all; false, after saying why on `err`, when it cannot be written.
bool writeReport(const std::string& path, const std::string& text, std::ostream& err) {
    if (path.empty()) return true;
    const auto error = writeWholeFile(path, text, "cannot write");
    if (!error) return true;
    err << "comet-workbench: " << error->message << '\n';
    return false;
}

// The clash of a report with a file grading reads or with the other report, if any.
std::optional<std::string> reportClash(const GradeOptions& o, const Exercise& exercise, const std::vector<std::string>& submissions) {
    std::vector<NamedFile> inputs{{"the case file", o.cases}};
    if (!exercise.reference.empty()) inputs.push_back({"the reference", exercise.reference});
    for (const std::string& s : submissions) inputs.push_back({"the submission", s});
    std::vector<NamedFile> outputs;
    if (!o.junit.empty()) outputs.push_back({"--junit", o.junit});
    if (!o.csv.empty()) outputs.push_back({"--csv", o.csv});
    return outputClash(inputs, outputs);
}

}  // namespace

GradeStatus gradeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string problem;
    const auto options = parseOptions(args, problem);
    if (!options) {
        if (!problem.empty()) err << "comet-workbench: " << problem << '\n';
        err << "usage: comet-workbench --grade CASES [--junit FILE] [--csv FILE] [--jobs N (1.." << kMaxJobs
            << ")] FILE_OR_FOLDER...\n";
        return kCannotGrade;
    }
    try {
        const Exercise exercise = loadExercise(options->cases, kDefaultMaxSteps);
        const Grader grader(exercise);
        const auto submissions = collectSubmissions(options->named);
        if (submissions.empty()) {
            err << "comet-workbench: no submissions to grade (a folder's files must end in .casl)\n";
            return kCannotGrade;
        }
        if (const auto clash = reportClash(*options, exercise, submissions)) {
            err << "comet-workbench: " << *clash << "; nothing was graded\n";
            return kCannotGrade;
        }
        const auto results = grader.gradeAll(submissions, options->jobs);
        out << summaryText(exercise, results);
        out.flush();
        if (!writeReport(options->junit, junitXml(exercise, results), err) || !writeReport(options->csv, resultsCsv(exercise, results), err))
            return kCannotGrade;
        for (const auto& r : results)
            if (r.passed() != r.cases.size()) return kSomeFailed;
        return kAllPassed;
    } catch (const CaseFileError& e) {
        err << "comet-workbench: " << e.what() << '\n';
        return kCannotGrade;
    }
}

}  // namespace comet
